#include "mainwindow/qt/ledger_windows.h"

#include "accounts/qt/Find_Entry.h"
#include "book/tmain.h"
#include "ledgers/account_activity.h"
#include "ledgers/qt/GeneralJournal.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/combo_type_ahead.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "toolkit/qt/box_text.h"

#include <QApplication>
#include <QComboBox>

LedgerHost ledgerHostOf(TAcount& main) {
    LedgerHost h;
    h.book = &main.book();
    h.run = &main.run();
    h.accountNames = [&main] { return main.accountList->names(); };
    h.raiseMainWindow = [&main] {
        if (main.isMinimized()) main.showNormal();
        main.show();
        main.raise();
        main.activateWindow();
    };
    h.showJournalLine = [&main, raise = h.raiseMainWindow](int line) {
        if (main.isMinimized()) main.showNormal();
        main.showJournalLine(line);
        raise();
    };
    h.installTypeAhead = [](QComboBox* box, std::function<bool()> active) {
        installComboTypeAhead(box, std::move(active));
    };
    h.toolbarPicture = [&main] { return main.ButtonBar->backdrop(); };
    h.printSetup = [&main] { return main.printSetup(); };
    h.printHeader = [&main](DrawingSurface& surface) { main.PrintHeader(surface); };
    h.mainCaption = [&main] { return main.windowTitle().toStdString(); };
    h.showHelp = [&main](const std::string& title, const std::string& text) {
        main.showHelp(title, text);
    };
    return h;
}

namespace {

// The object names the shared drill-down windows are found by.
constexpr const char* DrillDownReportName = "drillDownReport";
constexpr const char* DrillDownRunningBalanceName = "drillDownRunningBalance";

template <class Window> Window& drillDownWindow(TAcount& main, const char* name) {
    if (auto* w = main.findChild<Window*>(name, Qt::FindDirectChildrenOnly)) return *w;
    auto* w = new Window(ledgerHostOf(main), &main);
    w->setObjectName(name);
    return *w;
}

} // namespace

Report& drillDownReport(TAcount& main) {
    return drillDownWindow<Report>(main, DrillDownReportName);
}

Running_Balance& drillDownRunningBalance(TAcount& main) {
    return drillDownWindow<Running_Balance>(main, DrillDownRunningBalanceName);
}

void discardDrillDown(QWidget& w) {
    w.close();
    // Unnamed at once, so that a drill-down before the deferred delete makes a
    // new window rather than finding this one.
    w.setObjectName(QString());
    w.deleteLater();
}

void closeDrillDownLedgers(TAcount& main) {
    for (const char* name : {DrillDownReportName, DrillDownRunningBalanceName})
        if (QWidget* w = main.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly))
            discardDrillDown(*w);
}

QWidget* openLedgerWindowNamed(TAcount& main, const std::string& which, const std::string& text) {
    const std::string account =
        text.empty() ? Tmain::AccountNameByNumber(main.book(), busiestAccount(main.book())) : text;
    auto newest = [](WindowHandles& list) -> QWidget* {
        return list.count() ? list[list.count() - 1].data() : nullptr;
    };
    // Journals build when they are first activated.
    auto activated = [](QWidget* w) {
        if (w) {
            QEvent e(QEvent::WindowActivate);
            QApplication::sendEvent(w, &e);
        }
        return w;
    };
    if (which == "journal") {
        main.runCommand(Command::ShowJournals);
        return activated(newest(main.JournalWindows));
    }
    if (which == "unbalanced") {
        main.runCommand(Command::UnbalancedEntries);
        return activated(main.CheckJournal.data());
    }
    // The ledgers build for the account named.
    auto built = [&account](auto* ledger) -> QWidget* {
        if (ledger) {
            setBoxText(ledger->tReportAcc, QString::fromStdString(account));
            ledger->tReportAcc_Click();
        }
        return ledger;
    };
    if (which == "t-account") {
        main.runCommand(Command::ShowTaccount);
        return built(qobject_cast<Report*>(newest(main.LedgerWindows)));
    }
    if (which == "running-balance") {
        main.runCommand(Command::RbMenuItem);
        return built(qobject_cast<Running_Balance*>(newest(main.RunningBalanceWindows)));
    }
    if (which == "search") {
        main.runCommand(Command::SearchNotes);
        auto* find = qobject_cast<Find_Entry*>(main.searchWindow.data());
        if (!find) return nullptr;
        find->Text1->setEditText(QString::fromStdString(text.empty() ? "Sale" : text));
        return activated(find->Command2_Click());
    }
    return nullptr;
}
