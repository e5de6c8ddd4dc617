#include "mainwindow/qt/ledger_windows.h"

#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/combo_type_ahead.h"
#include "mainwindow/qt/toolbar_strip.h"

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
    h.installTypeAhead = [](QComboBox* box) { installComboTypeAhead(box); };
    h.toolbarPicture = [&main] { return main.ButtonBar->backdrop(); };
    h.printSetup = [&main] { return main.printSetup(); };
    h.printHeader = [&main](DrawingSurface& surface) { main.PrintHeader(surface); };
    h.pdfOutputPath = [&main] { return main.pdfOutputPath ? main.pdfOutputPath() : std::string(); };
    return h;
}

namespace {

template <class Window> Window& drillDownWindow(TAcount& main, const char* name) {
    if (auto* w = main.findChild<Window*>(name, Qt::FindDirectChildrenOnly)) return *w;
    auto* w = new Window(ledgerHostOf(main), &main);
    w->setObjectName(name);
    return *w;
}

} // namespace

Report& drillDownReport(TAcount& main) {
    return drillDownWindow<Report>(main, "drillDownReport");
}

Running_Balance& drillDownRunningBalance(TAcount& main) {
    return drillDownWindow<Running_Balance>(main, "drillDownRunningBalance");
}
