#include "mainwindow/qt/window_launchers.h"

#include "book/tmain.h"
#include "mainwindow/qt/LWMainsettings.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "platform/services.h"
#include "statements/qt/Balance_Sheet.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "statements/qt/statement_dates.h"
#include "toolkit/qt/CalanderForm.h"

namespace {

// What a statement window takes of the main window. The drill-down into the
// shared ledger windows is connected where those windows are built.
StatementHost statementHost(TAcount& main) {
    StatementHost host;
    host.toolbarBackdrop = main.ButtonBar->backdrop();
    host.icon = main.windowIcon();
    host.accountNames = [&main] { return main.accountList->names(); };
    return host;
}

} // namespace

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

    // The statements: each computes before it is shown.
    launchers.trialBalance = [](TAcount& main, const std::string& dateText) -> QWidget* {
        auto* w = new Trial_Balance(main.book(), main.run(), statementHost(main));
        // Today as the main window writes it, unless the picker could not
        // read that back (a short date that spells the month).
        const bool readable =
            Tmain::ParseDateStyle(dateText, main.book().DateStyle, currentLocale()).has_value();
        w->ISCalander->setText(
            readable ? dateText : pickerDateText(todayNumber(), main.book(), currentLocale()));
        w->mainLOAD();
        return w;
    };
    launchers.incomeStatement = [](TAcount& main) -> QWidget* {
        auto* w = new Income_Statement(main.book(), main.run(), statementHost(main));
        w->Form_Activate2();
        return w;
    };
    launchers.balanceSheet = [](TAcount& main) -> QWidget* {
        auto* w = new Balance_Sheet(main.book(), main.run(), statementHost(main));
        w->BalanceMainLOAD();
        return w;
    };
    launchers.cashFlow = [](TAcount& main) -> QWidget* {
        return new CashFlow(main.book(), main.run(), statementHost(main));
    };
}
