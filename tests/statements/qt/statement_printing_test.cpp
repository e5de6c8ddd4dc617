// Every statement printed on the PDF printer at 50 % to 200 % and at a zoom
// far larger from a book of forty-character names and twelve-digit amounts,
// the inflows and outflows over 36 months: pdftotext finds every figure the
// window shows, each a word of its own (a statement whose columns would not
// fit prints smaller, on one page width; a small book too), and the zoom is back to
// 1 afterwards. Names, labels and headings whole: the printouts-at-each-zoom
// check (screen_fit_test). On the window, only what is in view is drawn.
#include "platform/fake/fake_services.h"
#include "platform/fake/recording_surface.h"
#include "resources/string_table.h"
#include "statements/qt/Balance_Sheet.h"
#include "statements/qt/CashFlow.h"
#include "statements/qt/Income_Statement.h"
#include "statements/qt/Trial_Balance.h"
#include "statements/qt/draw_income_statement.h"
#include "statements/qt/draw_inflows_outflows.h"
#include "statements/qt/draw_trial_balance.h"
#include "statements/statement_books.h"
#include "statements/statement_figures.h"
#include "support/qt/print_service.h"
#include "tests/statements/qt/statement_window_driving.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/dialog_driving.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

using namespace statement_driving;
using namespace statementbooks;

namespace {

class StatementPaper : public dialog_driving::InBothFamilies {};

// The four statements of a book over its three years.
struct Statements {
    Trial_Balance tb;
    Income_Statement is;
    Balance_Sheet bs;
    CashFlow io;
    Statements(Book& book, RunTimeState& run)
        : tb(book, run, StatementHost{}), is(book, run, StatementHost{}),
          bs(book, run, StatementHost{}), io(book, run, StatementHost{}) {
        tb.ISCalander->setText("31/12/2026");
        tb.mainLOAD();
        is.DateSearch[0]->setText("01/01/2024");
        is.DateSearch[1]->setText("31/12/2026");
        is.Form_Activate2();
        bs.ISCalander->setText("31/12/2026");
        bs.BalanceMainLOAD();
    }
};

struct Case {
    std::string what;
    QWidget* window;
    Printformer& setup;
    QAction* print;
    std::vector<std::string> figures;
    bool onePage = false; // its amount columns side by side on one page
    std::string job = {}; // what its print job's name starts with
};

std::vector<Case> statementCases(const std::string& book, Statements& w) {
    return {{book + "trial balance", &w.tb, w.tb.printSetup(), w.tb.PrintAccount,
             figuresOf(w.tb.result()), true, "Trial Balance - "},
            {book + "income statement", &w.is, w.is.printSetup(), w.is.PrintToPrinter,
             figuresOf(w.is.result()), true, "Income Statement - "},
            {book + "balance sheet", &w.bs, w.bs.printSetup(), w.bs.PrintToPrinter,
             figuresOf(w.bs.result()), true, "Balance Sheet - "},
            {book + "inflows/outflows", &w.io, w.io.printSetup(), w.io.PrintCash,
             figuresOf(w.io.result()), false, "Cash Flow Position - "}};
}

TEST_P(StatementPaper, EveryFigureReachesThePaperAtEveryZoom) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = wideBook();
    book.FontName = GetParam();
    RunTimeState run;
    Statements wide(book, run);
    ASSERT_EQ(wide.io.result().periods(), 36);
    // A trial balance of 300 accounts: pages of rows.
    Book chart = cornerShop();
    chart.FontName = GetParam();
    for (int a = 1; a <= 300; ++a)
        setAccount(chart, a, std::to_string(1000 + a), "Account " + std::to_string(a),
                   a % 2 ? CurrentAsset : Revenue);
    for (int a = 1; a <= 300; a += 2)
        addEntry(chart, "1", day2024(1, 2), std::to_string(1000 + a), std::to_string(1001 + a),
                 std::to_string(1000 * a) + ".5");
    Trial_Balance hundreds(chart, run, StatementHost{});
    hundreds.ISCalander->setText("31/12/2026");
    hundreds.mainLOAD();
    // Short names beside long labels and wide figures.
    Book small = tradingBook();
    small.FontName = GetParam();
    addEntry(small, "10", day2024(5, 1), "110", "300", "987654321098.76");
    Statements shop(small, run);

    std::vector<Case> cases = statementCases("", wide);
    for (const Case& c : statementCases("small ", shop))
        cases.push_back(c);
    cases.push_back({"300 accounts", &hundreds, hundreds.printSetup(), hundreds.PrintAccount,
                     figuresOf(hundreds.result())});
    for (const Case& c : cases) {
        c.window->resize(700, 500);
        c.window->show();
        QApplication::processEvents();
        for (const char* zoom :
             {"50%", "100%", "125%", "150%", "200%", "400%", "1000%", "40000%", "50000%"}) {
            std::string title;
            const std::string text = printedPdfText(fakes, c.setup, c.print, zoom, &title);
            SCOPED_TRACE(c.what + " at " + zoom + ":\n" + text);
            EXPECT_EQ(title.rfind(c.job, 0), 0u) << title; // named for the printout and book
            EXPECT_EQ(run.PrintScale, 1.0f);
            // Each figure as often as the statement shows it, a word of its own.
            std::multiset<std::string> words, figures(c.figures.begin(), c.figures.end());
            std::istringstream in(text);
            for (std::string w; in >> w;)
                words.insert(w);
            for (const std::string& figure : figures)
                EXPECT_GE(words.count(figure), figures.count(figure)) << figure;
            if (c.onePage && (std::string(zoom) == "50%" || std::string(zoom) == "100%")) {
                EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1);
            }
        }
        c.window->hide();
    }
}

// A printer gone between the print setup and the print: told once.
TEST(StatementPrinting, AFailedPrintIsToldOnce) {
    testing_support::PrintService service;
    if (!service.why().empty()) GTEST_SKIP() << service.why();
    ASSERT_TRUE(service.addQueue("Office"));
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = tradingBook();
    RunTimeState run;
    Statements shop(book, run);
    answerPrintSetupWithPdf(shop.tb.printSetup(), "100%", "Office",
                            [&] { ASSERT_TRUE(service.run("lpadmin -x Office")); });
    shop.tb.PrintAccount->trigger();
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    const std::string told = fakes.messages.lastText(); // the print system's words in brackets
    EXPECT_TRUE(told.starts_with(strings::text(292) +
                                 "\n\nThe print system says: There is no printer Office (") &&
                told.ends_with(").\nNothing was printed."))
        << told;
}

INSTANTIATE_TEST_SUITE_P(Families, StatementPaper,
                         ::testing::ValuesIn(dialog_driving::bothFamilies),
                         dialog_driving::familyName);

// On the window only the rows and columns in view are drawn, while every
// row keeps its place for hover and drill-down: 200 revenue accounts over 36
// months, scrolled down and right.
TEST(StatementPrinting, WindowsDrawOnlyWhatIsInView) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = cornerShop();
    constexpr int Accounts = 200;
    for (int a = 1; a <= Accounts; ++a)
        setAccount(book, a, std::to_string(1000 + a), "Sales " + std::to_string(a), Revenue);
    setAccount(book, Accounts + 1, "100", "Cash", CurrentAsset);
    for (int m = 0; m < 36; ++m)
        for (int a = 1; a <= Accounts; ++a)
            addEntry(book, "1", handmade::day(2024 + m / 12, m % 12 + 1, 3), "100",
                     std::to_string(1000 + a), "10");

    InflowsOutflowsOptions ioOptions;
    ioOptions.locale = dayFirstLocale();
    const InflowsOutflows io = computeInflowsOutflows(book, ioOptions);
    ASSERT_EQ(io.inflows.size(), std::size_t(Accounts));
    const IncomeStatement is = computeIncomeStatement(
        book, {.period = {false, handmade::day(2024, 1, 1), handmade::day(2026, 12, 31), true},
               .locale = dayFirstLocale()});
    const TrialBalance tb = computeTrialBalance(
        book, {.asOfDate = handmade::day(2026, 12, 31), .locale = dayFirstLocale()});
    // Scrolled down some 80 rows, a view of about 600 x 400 pixels draws the rows
    // in view alone, where the whole statement has them, and keeps its height.
    auto inView = [](std::size_t most, const std::function<double(DrawTarget&)>& draw) {
        RecordingSurface whole(9000, 1e9), screen(9000, 6000);
        std::vector<RowSpot> all, seen;
        DrawTarget wholeTarget{whole, true, 1.0, &all}, view{screen, true, 1.0, &seen};
        const double height = draw(wholeTarget);
        screen.CurrentY = -20000;
        EXPECT_EQ(draw(view), height);
        std::vector<std::pair<int, std::int64_t>> expected, drawn;
        for (const RowSpot& r : all)
            if (r.bottom - 20000 >= 0 && r.bottom - 20000 - r.height <= 6000)
                expected.push_back({r.bottom - 20000, r.account.raw});
        for (const RowSpot& r : seen)
            drawn.push_back({r.bottom, r.account.raw});
        EXPECT_EQ(drawn, expected);
        EXPECT_GT(drawn.size(), 20u);
        EXPECT_LT(screen.texts().size(), most);
    };
    inView(300u, [&](DrawTarget& t) { // some 28 rows of some 6 columns and their labels
        t.s.FontSize = 9;
        return drawInflowsOutflows(t, io, FlowLayout{-15000, 3000}).foot;
    });
    inView(100u, [&](DrawTarget& t) { return drawIncomeStatement(t, book, is); });
    inView(150u, [&](DrawTarget& t) { return drawTrialBalance(t, book, tb); });
}

} // namespace
