#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/ledger_windows.h"
#include "platform/qt/guarded_application.h"
#include "platform/qt/qt_services.h"
#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/WaitScreen.h"
#include "toolkit/qt/alt_keys.h"

#include <QTimer>

#include <cstdio>
#include <string>

namespace {

// With LW_SCREENSHOT naming a PNG file, the program saves a picture of its
// main window once it has started (and opened the book named on the command
// line), and ends without storing anything; the exit status says whether the
// picture was written. LW_SCREENSHOT_WINDOW names a ledger window to open
// and picture instead ("journal", "t-account", "running-balance",
// "unbalanced", "search"), LW_SCREENSHOT_TEXT its account or search text,
// or a statement ("trial-balance", "income-statement", "balance-sheet",
// "cash-flow"). Without LW_SCREENSHOT the program runs as usual.
QWidget* openStatementNamed(TAcount& main, const std::string& which) {
    if (which == "trial-balance") {
        main.runCommand(Command::TrialBalance);
        return main.trialBalanceWindow.data();
    }
    if (which == "income-statement") {
        main.runCommand(Command::IncomeStatement);
        return main.incomeStatementWindow.data();
    }
    if (which == "balance-sheet") {
        main.runCommand(Command::ShowBalance);
        const int n = main.BalanceSheetWindows.count();
        return n > 0 ? main.BalanceSheetWindows[n - 1].data() : nullptr;
    }
    if (which == "cash-flow") {
        main.runCommand(Command::CashFlowMenu);
        return main.cashFlowWindow.data();
    }
    return nullptr;
}

void screenshotWhenSettled(TAcount& main, const QString& file) {
    QWidget* window = &main;
    const QString named = qEnvironmentVariable("LW_SCREENSHOT_WINDOW");
    if (!named.isEmpty()) {
        window = openStatementNamed(main, named.toStdString());
        if (!window)
            window =
                openLedgerWindowNamed(main, named.toStdString(),
                                      qEnvironmentVariable("LW_SCREENSHOT_TEXT").toStdString());
        if (!window) {
            std::fprintf(stderr, "no window named %s\n", named.toLocal8Bit().constData());
            QCoreApplication::exit(1);
            return;
        }
    }
    QTimer::singleShot(500, window, [window, file] {
        const bool saved = window->grab().save(file, "PNG");
        if (!saved) std::fprintf(stderr, "could not write %s\n", file.toLocal8Bit().constData());
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

int main(int argc, char** argv) {
    // A command that fails shows a message; the program and its book go on.
    GuardedApplication app(argc, argv);
    // ...and the pointer is the ordinary arrow again.
    app.setFailureCleanup(pointer::endAllBusy);
    keepAltKeysFromTextBoxes(app);
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
