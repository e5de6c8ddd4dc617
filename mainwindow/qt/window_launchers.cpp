#include "mainwindow/qt/window_launchers.h"

#include "accounts/qt/ConfigAccounts.h"
#include "accounts/qt/Find_Entry.h"
#include "accounts/qt/Group_Entries.h"
#include "accounts/qt/MoveAccounts.h"
#include "calculators/qt/Depreciation.h"
#include "calculators/qt/PayRoll.h"
#include "calculators/qt/Rolling_Caculator.h"
#include "ledgers/qt/GeneralJournal.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"

#include "book/tmain.h"
#include "mainwindow/qt/LWMainsettings.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/combo_type_ahead.h"
#include "mainwindow/qt/ledger_windows.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "platform/services.h"
#include "statements/qt/Balance_Sheet.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "statements/qt/statement_dates.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/MousePointer.h"
#include "toolkit/qt/box_text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace {

constexpr int TwipsPerPixel = 15;

// Where the Include button stands, as the group drop-down places itself by it.
IncludeButtonPlace includeButtonPlace(TAcount& main) {
    const QRect frame = main.frameGeometry();
    const QPoint button = main.GroupBu->mapToGlobal(QPoint(0, 0));
    const int innerTop = main.GroupBu->mapTo(main.centralWidget(), QPoint(0, 0)).y();
    IncludeButtonPlace p;
    p.mainLeft = frame.x() * TwipsPerPixel;
    p.mainTop = frame.y() * TwipsPerPixel;
    p.buttonLeft = (button.x() - frame.x()) * TwipsPerPixel;
    p.buttonTop = innerTop * TwipsPerPixel;
    p.frameHeight = (button.y() - frame.y() - innerTop) * TwipsPerPixel;
    p.buttonWidth = main.GroupBu->width() * TwipsPerPixel;
    return p;
}

// A statement row clicked: the shared running-balance or T-account window
// on the row's account, ending on the statement's date when it gives one,
// its list built and shown.
template <class Ledger>
void drillInto(Ledger& w, const std::string& account, const LedgerRequest& r) {
    if (r.endDay) w.setEndDay(*r.endDay);
    setBoxText(w.tReportAcc, QString::fromStdString(account));
    w.tReportAcc_Click(r.account);
    w.show();
    w.raise();
}

// `build` run on a shared drill-down window; a window it leaves half built,
// by failing, is let go.
void buildOrDiscard(QWidget& ledger, const std::function<void()>& build) {
    try {
        build();
    } catch (...) {
        discardDrillDown(ledger);
        throw;
    }
}

// What a statement window takes of the main window.
StatementHost statementHost(TAcount& main) {
    StatementHost host;
    host.toolbarBackdrop = main.ButtonBar->backdrop();
    host.icon = main.windowIcon();
    host.accountNames = [&main] { return main.accountList->names(); };
    host.installTypeAhead = [](QComboBox* box) { installComboTypeAhead(box); };
    host.mainCaption = [&main] { return main.windowTitle().toStdString(); };
    host.printSetup = [&main] { return main.printSetup(); };
    host.openLedger = [&main](const LedgerRequest& r) {
        const std::string account = Tmain::AccountNameByNumber(main.book(), r.account);
        if (r.window == LedgerRequest::Window::TAccount) {
            Report& w = drillDownReport(main);
            buildOrDiscard(w, [&] { drillInto(w, account, r); });
            return;
        }
        Running_Balance& w = drillDownRunningBalance(main);
        buildOrDiscard(w, [&] {
            if (r.reloadFirst) w.Form_Load();
            drillInto(w, account, r);
        });
    };
    return host;
}

// A statement window made and computed. One whose computation fails, or
// refuses (the user was told why), goes at once: no window is shown without
// a whole statement, and the next command makes it afresh.
template <class Statement>
QWidget* computedStatement(TAcount& main, const std::function<void(Statement&)>& compute) {
    auto w = std::make_unique<Statement>(main.book(), main.run(), statementHost(main), &main);
    compute(*w);
    if (!w->result().ok) return nullptr;
    return w.release();
}

// `w`, a window without owner, deleted as the main window goes, while the
// main window's book is still whole.
QWidget* goingWithMain(TAcount& main, QWidget* w) {
    QObject::connect(&main, &TAcount::leaving, w, [w] { delete w; });
    return w;
}

} // namespace

// Each subsystem's windows are added here as they are built, e.g.
//   launchers.generalJournal = [](TAcount& main, bool reconcile) { ... };
void installWindowLaunchers(WindowLaunchers& launchers) {
    // The settings window, owned by the main window; a font or date style
    // chosen there shows on the entry line at once.
    launchers.settingsWindow = [](TAcount& main) -> QWidget* {
        // Loading the window lists and probes the fonts: the hourglass meanwhile.
        const pointer::BusySection busy;
        QCoreApplication::processEvents();
        auto* w = new LWMainsettings(main.book(), main.run(), main.HC, &main);
        QObject::connect(w, &LWMainsettings::fontChanged, &main,
                         [&main](const QString& name, int) { main.applyEntryLineFont(name); });
        QObject::connect(w, &LWMainsettings::dateStyleChanged, &main,
                         [&main] { main.showDateInBookStyle(); });
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
    // The journal windows of the search hits and of the unbalanced entries.
    launchers.searchJournal = [](TAcount& main, int searchMode,
                                 const std::string& text) -> QWidget* {
        auto* w = new GeneralJournal(ledgerHostOf(main), &main);
        w->setSearch(journalModeFor(1, static_cast<std::int16_t>(searchMode)), text);
        return w;
    };
    launchers.searchWindow = [](TAcount& main) -> QWidget* {
        SearchHost host;
        host.book = &main.book();
        host.searchesReferences = [&main] { return main.run().SearchMode == 1; };
        // A search of the kind the search window was last opened for.
        host.freshResultsWindow = [&main](const std::string& text) -> QWidget* {
            delete main.SearchJournal.data();
            main.SearchJournal = main.launchers().searchJournal(main, main.run().SearchMode, text);
            return main.SearchJournal.data();
        };
        return new Find_Entry(std::move(host), &main);
    };
    // The chart-of-accounts editor: closing it through its check refills the
    // entry line's account list and shows the journal's first entry; the
    // search-results journal and the statements' shared T-account and
    // running-balance windows, which show account names, close first.
    launchers.chartOfAccounts = [](TAcount& main) -> QWidget* {
        ChartWindowHooks hooks;
        hooks.refillAccountBoxes = [&main] { main.refillAccountBoxes(); };
        hooks.showJournalLine = [&main](int line) { main.showJournalLine(line); };
        hooks.closeAccountWindows = [&main] {
            if (main.SearchJournal && main.SearchJournal->isVisible()) main.SearchJournal->close();
            closeDrillDownLedgers(main);
        };
        hooks.help = main.HC;
        hooks.printSetup = [&main] { return main.printSetup(); };
        return new ConfigAccounts(main.book(), main.run(), std::move(hooks), &main);
    };
    launchers.moveAccounts = [](TAcount& main) -> QWidget* {
        return new MoveAccounts(main.book(), &main);
    };
    // The group drop-down, owned by the main window, under its Include button.
    launchers.entryGroups = [](TAcount& main) -> QWidget* {
        EntryGroupHost host;
        host.iSBalance = [&main] { main.iSBalance(); };
        host.showJournalLine = [&main](int line) { main.showJournalLine(line); };
        host.includeButton = [&main] { return includeButtonPlace(main); };
        host.installTypeAhead = [](QComboBox* box) { installComboTypeAhead(box); };
        host.backdrop = main.ButtonBar->backdrop();
        host.addLinePicture = main.CompoundEntry[1]->pixmap();
        auto* groups = new Group_Entries(main.book(), main.run(), host, &main);
        // Saves and the question on leaving the book see the group being edited.
        main.storeOpenEdits = [groups = QPointer<Group_Entries>(groups)] {
            if (groups) groups->storeEditedGroup();
        };
        return groups;
    };
    // The calculators: modeless windows without owner, that go when the main
    // window goes (the depreciation calculator reads its book).
    launchers.tapeCalculator = [](TAcount& main) -> QWidget* {
        return goingWithMain(main, new Rolling_Caculator());
    };
    launchers.depreciation = [](TAcount& main) -> QWidget* {
        return goingWithMain(main, new Depreciation(main.book()));
    };
    launchers.payroll = [](TAcount& main) -> QWidget* {
        return goingWithMain(main, new PayRoll(main.currencyLabel, main.book().FontName.str()));
    };

    // The statements: each computes before it is shown; owned by the main
    // window, like the ledgers, so that none outlives the book it reads.
    launchers.trialBalance = [](TAcount& main, const std::string& dateText) -> QWidget* {
        return computedStatement<Trial_Balance>(main, [&dateText](Trial_Balance& w) {
            // Today as the main window writes it in the book's date style.
            w.ISCalander->setText(dateText);
            w.mainLOAD();
        });
    };
    launchers.incomeStatement = [](TAcount& main) -> QWidget* {
        return computedStatement<Income_Statement>(main,
                                                   [](Income_Statement& w) { w.Form_Activate2(); });
    };
    launchers.balanceSheet = [](TAcount& main) -> QWidget* {
        return computedStatement<Balance_Sheet>(main,
                                                [](Balance_Sheet& w) { w.BalanceMainLOAD(); });
    };
    // Inflows/outflows computes as it is made.
    launchers.cashFlow = [](TAcount& main) -> QWidget* {
        return computedStatement<CashFlow>(main, [](CashFlow&) {});
    };
}
