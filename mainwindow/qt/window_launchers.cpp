#include "mainwindow/qt/window_launchers.h"

#include "accounts/qt/Find_Entry.h"
#include "ledgers/qt/GeneralJournal.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "mainwindow/qt/LWMainsettings.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/ledger_windows.h"

// Each subsystem's windows are added here as they are built, e.g.
//   launchers.generalJournal = [](TAcount& main, bool reconcile) { ... };
void installWindowLaunchers(WindowLaunchers& launchers) {
    // The settings window, owned by the main window; a font chosen there
    // shows on the entry line at once.
    launchers.settingsWindow = [](TAcount& main) -> QWidget* {
        auto* w = new LWMainsettings(main.book(), main.run(), main.HC, &main);
        QObject::connect(w, &LWMainsettings::fontChanged, &main,
                         [&main](const QString& name, int) { main.applyEntryLineFont(name); });
        return w;
    };

    // The ledger and journal windows: a new one per command, owned by the
    // main window so that none outlives the book it reads.
    launchers.generalJournal = [](TAcount& main, bool reconcile) -> QWidget* {
        auto* w = new GeneralJournal(ledgerHostOf(main), &main);
        w->ReconcileMode = reconcile;
        return w;
    };
    launchers.tAccountLedger = [](TAcount& main, bool reconcile) -> QWidget* {
        auto* w = new Report(ledgerHostOf(main), &main);
        w->ReconcileMode = reconcile;
        return w;
    };
    launchers.runningBalance = [](TAcount& main, bool reconcile) -> QWidget* {
        auto* w = new Running_Balance(ledgerHostOf(main), &main);
        w->ReconcileMode = reconcile;
        return w;
    };
    // The hidden journal window of the search hits.
    launchers.searchJournal = [](TAcount& main) -> QWidget* {
        return new GeneralJournal(ledgerHostOf(main), &main);
    };
    launchers.searchWindow = [](TAcount& main) -> QWidget* {
        SearchHost host;
        host.book = &main.book();
        host.run = &main.run();
        host.freshResultsWindow = [&main]() -> QWidget* {
            delete main.SearchJournal.data();
            main.SearchJournal = main.launchers().searchJournal(main);
            return main.SearchJournal.data();
        };
        return new Find_Entry(std::move(host), &main);
    };
}
