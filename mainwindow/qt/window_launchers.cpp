#include "mainwindow/qt/window_launchers.h"

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
}
