#include "mainwindow/qt/TAcount.h"
#include "platform/qt/qt_services.h"
#include "toolkit/qt/WaitScreen.h"

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
    // Long operations show their progress in the progress window.
    WaitScreen progress(window.run(), window.book(), &window);
    Services withProgress = services();
    withProgress.progress = &progress;
    installServices(withProgress);
    window.show();
    // The book opens once the window is up, so its progress shows.
    QTimer::singleShot(0, &window, [&window] { window.openCommandLineBook(); });
    return app.exec();
}
