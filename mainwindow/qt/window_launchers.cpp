#include "mainwindow/qt/window_launchers.h"

#include "calculators/qt/Depreciation.h"
#include "calculators/qt/PayRoll.h"
#include "calculators/qt/Rolling_Caculator.h"

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
    // The calculators: modeless windows without owner.
    launchers.tapeCalculator = [](TAcount&) -> QWidget* { return new Rolling_Caculator(); };
    launchers.depreciation = [](TAcount& main) -> QWidget* {
        auto* w = new Depreciation(main.book());
        // It reads the main window's book: it goes when the main window goes.
        QObject::connect(&main, &QObject::destroyed, w, [w] { delete w; });
        return w;
    };
    launchers.payroll = [](TAcount& main) -> QWidget* {
        return new PayRoll(main.currencyLabel, main.book().FontName.str());
    };
}
