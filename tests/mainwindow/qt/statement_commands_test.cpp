// The statement windows opened from the main window: the Display items and
// the TB, IS and BS toolbar buttons are enabled, and each window opens
// computed on its default date or period, written in the book's date style;
// a click on a row drills into the shared ledger windows.
#include "book/tmain.h"
#include "book/typed_input.h"
#include "ledgers/qt/Report.h"
#include "ledgers/qt/Running_Balance.h"
#include "mainwindow/qt/TAcount.h"
#include "mainwindow/qt/account_list_model.h"
#include "mainwindow/qt/ledger_windows.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "platform/fake/fake_services.h"
#include "statements/qt/Balance_Sheet.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "statements/qt/statement_canvas.h"
#include "support/test_paths.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/dialog_driving.h"

#include <QComboBox>
#include <gtest/gtest.h>

using namespace main_window_driving;

namespace {

TEST(StatementCommands, EachStatementOpensOnItsDefaultDateOrPeriod) {
    ScopedFakeServices fakes(dayFirstLocale());
    TAcount w;
    Book book = tradingBook("Corner Shop");
    book.DateStyle = 2;
    showBook(w, book);
    for (Command c : {Command::TrialBalance, Command::IncomeStatement, Command::ShowBalance,
                      Command::CashFlowMenu})
        EXPECT_TRUE(w.commandEnabled(c)) << static_cast<int>(c);
    const LocaleInfo locale = dayFirstLocale();
    auto styled = [&](double day) { return Tmain::FormatDateStyle(day, 2, locale); };

    // The TB toolbar button: today, in the book's style.
    click(w.ButtonBar->CalcButton[6]);
    auto* tb = qobject_cast<Trial_Balance*>(w.trialBalanceWindow.data());
    ASSERT_NE(tb, nullptr);
    EXPECT_TRUE(tb->isVisible());
    EXPECT_EQ(tb->ISCalander->Text(), styled(std::floor(fakes.clock.moment)));
    EXPECT_EQ(tb->result().asOfDate, std::floor(fakes.clock.moment));
    EXPECT_EQ(tb->rows().size(), 4u); // cash, capital, sales, rent

    // A click on the Sales row: the left button fills the shared
    // running-balance window, the right the shared T-account window, each
    // with Sales and the statement's date.
    tb->resize(700, 500);
    const RowSpot sales = tb->rows()[2];
    const QPoint at(200, static_cast<int>((sales.bottom - 100) / 15));
    click(tb->Canvas, at);
    Running_Balance& running = drillDownRunningBalance(w);
    EXPECT_TRUE(running.isVisible());
    EXPECT_EQ(running.ledger().LedgerAccount, money("400"));
    EXPECT_EQ(running.DateSearch[1]->Text(), tb->ISCalander->Text());
    click(tb->Canvas, at, Qt::RightButton);
    Report& ledger = drillDownReport(w);
    EXPECT_TRUE(ledger.isVisible());
    EXPECT_EQ(ledger.ledger().LedgerAccount, money("400"));
    EXPECT_EQ(ledger.DateSearch[1]->Text(), tb->ISCalander->Text());
    // A date typed but not yet built: the ledger ends on the day the figures are for.
    tb->ISCalander->setText("3-3-25");
    click(tb->Canvas, at);
    EXPECT_EQ(running.DateSearch[1]->Text(), styled(std::floor(fakes.clock.moment)));

    // The income statement: the journal's first to last day.
    run(w, Command::IncomeStatement);
    auto* is = qobject_cast<Income_Statement*>(w.incomeStatementWindow.data());
    ASSERT_NE(is, nullptr);
    EXPECT_EQ(is->DateSearch[0]->Text(), styled(Tmain::DayNumber(2025, 3, 1)));
    EXPECT_EQ(is->DateSearch[1]->Text(), styled(Tmain::DayNumber(2025, 3, 3)));
    EXPECT_EQ(is->result().netProfitText, "300");

    // Each use of the balance sheet opens another one, at the latest day.
    run(w, Command::ShowBalance);
    click(w.ButtonBar->CalcButton[8]);
    ASSERT_EQ(w.BalanceSheetWindows.count(), 2);
    auto* bs = qobject_cast<Balance_Sheet*>(w.BalanceSheetWindows[1].data());
    ASSERT_NE(bs, nullptr);
    EXPECT_EQ(bs->ISCalander->Text(), styled(Tmain::DayNumber(2025, 3, 3)));
    EXPECT_EQ(bs->result().date, Tmain::DayNumber(2025, 3, 3));

    // Inflows/outflows: revenue against expenses, monthly, with its caption.
    run(w, Command::CashFlowMenu);
    auto* cf = qobject_cast<CashFlow*>(w.cashFlowWindow.data());
    ASSERT_NE(cf, nullptr);
    EXPECT_EQ(cf->windowTitle().toStdString(), "Comparative Statement...");
    EXPECT_FALSE(cf->result().cashMode);
    EXPECT_EQ(cf->tReportAcc->count(), w.accountList->rowCount());

    // Each statement's mail draft names the program, as the main window's caption.
    cf->EmalSt_Click();
    for (StatementFrame* statement : std::initializer_list<StatementFrame*>{tb, is, bs})
        statement->stripButtonReleased(1);
    ASSERT_EQ(fakes.shell.opened.size(), 4u);
    const std::string mark = "X-MimeOLE: Produced By " + w.windowTitle().toStdString() + "\r\n";
    for (const std::string& draft : fakes.shell.opened)
        EXPECT_NE(testing_support::readFile(draft).find(mark), std::string::npos) << draft;

    // Two accounts of one name: the drill-down opens the one clicked.
    setAccount(w.book(), 5, "410", "Sales", Revenue);
    addEntry(w.book(), "100", "410", "70", "Other takings", "4", Tmain::DayNumber(2025, 3, 3));
    run(w, Command::TrialBalance);
    tb = qobject_cast<Trial_Balance*>(w.trialBalanceWindow.data());
    ASSERT_NE(tb, nullptr);
    tb->resize(700, 500);
    ASSERT_EQ(tb->rows().size(), 5u);
    EXPECT_EQ(tb->rows()[4].account, money("410"));
    click(tb->Canvas, QPoint(200, static_cast<int>((tb->rows()[4].bottom - 100) / 15)));
    EXPECT_EQ(running.ledger().LedgerAccount, money("410"));

    // Opening the trial balance again replaces the earlier window.
    QPointer<QWidget> first = w.trialBalanceWindow;
    run(w, Command::TrialBalance);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();

    // Totals too large to hold: each statement says so; none is left showing, stale or empty.
    addEntry(w.book(), "100", "400", "922337203685477.5807", "Huge", "9");
    const std::vector<QPointer<QWidget>> open{w.trialBalanceWindow, is, bs, cf};
    qobject_cast<Trial_Balance*>(open[0].data())->mainLOAD();
    is->Command1_Click();
    bs->BalanceMainLOAD();
    cf->DateTerm_Click();
    for (const QPointer<QWidget>& window : open)
        EXPECT_TRUE(!window || !window->isVisible()) << window->windowTitle().toStdString();
    for (Command c : {Command::TrialBalance, Command::IncomeStatement, Command::ShowBalance,
                      Command::CashFlowMenu})
        run(w, c);
    ASSERT_EQ(fakes.messages.shown.size(), 8u);
    EXPECT_NE(fakes.messages.lastText().find("a total is too large to hold"), std::string::npos);
    EXPECT_TRUE(w.trialBalanceWindow.isNull() && w.incomeStatementWindow.isNull() &&
                w.cashFlowWindow.isNull());
    EXPECT_EQ(w.BalanceSheetWindows.count(), 2); // none added
}

// A day typed into a statement's date box key by key and left by Tab builds
// the statement for it without a word; a text naming no day is told once, and
// the box shows the day built again.
TEST(StatementCommands, ADayTypedAndLeftByTabBuildsEachStatement) {
    for (const LocaleInfo& locale : dialog_driving::typingLocales()) {
        ScopedFakeServices fakes(locale);
        Book book = tradingBook("Corner Shop");
        RunTimeState run;
        const double day = Tmain::DayNumber(2025, 3, 2);
        const std::string typed = Tmain::FormatDateStyle(day, book.DateStyle, locale);
        Trial_Balance tb(book, run, {});
        tb.ISCalander->setText(Tmain::FormatDateStyle(Tmain::DayNumber(2025, 3, 3), 0, locale));
        tb.mainLOAD();
        Income_Statement is(book, run, {});
        is.Form_Activate2();
        Balance_Sheet bs(book, run, {});
        bs.BalanceMainLOAD();
        const std::tuple<StatementFrame*, CalanderForm*, std::function<double()>> rows[] = {
            {&tb, tb.ISCalander, [&] { return tb.result().asOfDate; }},
            {&is, is.DateSearch[1], [&] { return is.result().period.end; }},
            {&bs, bs.ISCalander, [&] { return bs.result().date; }}};
        for (const auto& [window, box, built] : rows) {
            SCOPED_TRACE(locale.name + " " + window->windowTitle().toStdString());
            window->show();
            QApplication::setActiveWindow(window);
            for (const std::string& text : {typed, std::string("00")}) {
                fakes.messages.shown.clear();
                box->textBox()->setFocus();
                box->textBox()->selectAll();
                dialog_driving::keyed(text + "\t");
                EXPECT_EQ(std::tuple(box->Text(), built(), fakes.messages.texts()),
                          std::tuple(typed, day,
                                     text == typed ? std::vector<std::string>{}
                                                   : std::vector<std::string>{InvalidDateText}))
                    << text;
            }
            window->hide();
        }
    }
}

} // namespace
