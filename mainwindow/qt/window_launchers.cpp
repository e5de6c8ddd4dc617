#include "mainwindow/qt/window_launchers.h"

#include "accounts/qt/ConfigAccounts.h"
#include "accounts/qt/MoveAccounts.h"
#include "mainwindow/qt/LWMainsettings.h"
#include "mainwindow/qt/TAcount.h"

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
    // The chart-of-accounts editor: closing it through its check refills the
    // entry line's account list and shows the journal's first entry; the
    // search-results journal, which shows account names, closes first.
    launchers.chartOfAccounts = [](TAcount& main) -> QWidget* {
        ChartWindowHooks hooks;
        hooks.refillAccountBoxes = [&main] { main.refillAccountBoxes(); };
        hooks.showJournalLine = [&main](int line) { main.showJournalLine(line); };
        hooks.closeAccountWindows = [&main] {
            if (main.SearchJournal && main.SearchJournal->isVisible()) main.SearchJournal->close();
        };
        hooks.help = main.HC;
        return new ConfigAccounts(main.book(), main.run(), std::move(hooks), &main);
    };
    launchers.moveAccounts = [](TAcount& main) -> QWidget* {
        return new MoveAccounts(main.book(), &main);
    };
}
