#include "mainwindow/qt/TAcount.h"
#include "platform/qt/qt_services.h"

#include <QApplication>
#include <QTimer>

#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    installQtServices();
    // The whole command line names the book (a path with blanks need not be quoted).
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    TAcount window(commandLine);
    window.show();
    // The book opens once the window is up, so its progress shows.
    QTimer::singleShot(0, &window, [&window] { window.openCommandLineBook(); });
    return app.exec();
}
