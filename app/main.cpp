#include "mainwindow/menu_model.h"
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
// With LW_SCREENSHOT_WINDOW naming a command by its control name
// ("TrialBalance", "IncomeStatement", "Show_Balance", "CashFlowMenu", ...),
// the command runs once the book is open and the picture is of the window
// it opened instead.
QWidget* openedWindow(TAcount& window, const QString& control) {
    if (control.isEmpty()) return &window;
    for (const CommandInfo& info : allCommands()) {
        if (control != QLatin1String(info.control)) continue;
        window.runCommand(info.command);
        QWidget* opened = QApplication::activeWindow();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &window && w->isVisible() && w->isWindow() && !w->inherits("QMenu"))
                opened = w;
        return opened && opened->isVisible() ? opened : &window;
    }
    std::fprintf(stderr, "no command %s\n", control.toLocal8Bit().constData());
    return &window;
}

void screenshotWhenSettled(TAcount& window, const QString& file) {
    QWidget* shown = openedWindow(window, qEnvironmentVariable("LW_SCREENSHOT_WINDOW"));
    QTimer::singleShot(500, &window, [shown, file] {
        const bool saved = shown->grab().save(file, "PNG");
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
