#include "mainwindow/qt/TAcount.h"
#include "platform/qt/qt_services.h"
#include "toolkit/qt/WaitScreen.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

// With LW_SCREENSHOT naming a PNG file, the program saves a picture of its
// main window once it has started (and opened the book named on the command
// line), and ends without storing anything; the exit status says whether the
// picture was written. Without it the program runs as usual.
void screenshotWhenSettled(TAcount& window, const QString& file) {
    QTimer::singleShot(500, &window, [&window, file] {
        const bool saved = window.grab().save(file, "PNG");
        if (!saved) std::fprintf(stderr, "could not write %s\n", file.toLocal8Bit().constData());
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

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
    const QString screenshot = qEnvironmentVariable("LW_SCREENSHOT");
    // The book opens once the window is up, so its progress shows.
    QTimer::singleShot(0, &window, [&window, screenshot] {
        window.openCommandLineBook();
        if (!screenshot.isEmpty()) screenshotWhenSettled(window, screenshot);
    });
    return app.exec();
}
