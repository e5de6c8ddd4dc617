// The income statement window on the small trading book: it opens on the
// journal's whole period, written in the book's date style; a picked day and
// "Refresh" recompute; the ratios stand in the menu bar; a click drills into
// the ledgers up to the period's last day.
#include "statements/qt/Income_Statement.h"

#include "book/tmain.h"
#include "platform/fake/fake_services.h"
#include "statements/qt/statement_canvas.h"
#include "statements/statement_books.h"
#include "support/test_paths.h"
#include "tests/statements/qt/statement_host_recorder.h"
#include "tests/statements/qt/statement_window_driving.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace statement_driving;

namespace {

TEST(IncomeStatementWindow, PeriodRatiosAndDrillDown) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = statementbooks::tradingBook();
    book.DateStyle = 2; // the pickers must read back what they were given
    RunTimeState run;
    LedgerRecorder opened;
    Income_Statement w(book, run, opened.host());
    const std::string first =
        Tmain::FormatDateStyle(Tmain::DayNumber(2024, 1, 10), 2, dayFirstLocale());
    const std::string last =
        Tmain::FormatDateStyle(Tmain::DayNumber(2024, 4, 10), 2, dayFirstLocale());
    EXPECT_EQ(w.DateSearch[0]->Text(), first);
    EXPECT_EQ(w.DateSearch[1]->Text(), last);
    w.Form_Activate2();
    w.resize(700, 560);
    w.show();
    QApplication::processEvents();
    const IncomeStatement& is = w.result();
    EXPECT_EQ(is.period.start, Tmain::DayNumber(2024, 1, 10));
    EXPECT_EQ(is.period.end, Tmain::DayNumber(2024, 4, 10));
    EXPECT_EQ(is.netProfitText, "1,400.00"); // 2,300 sales less 600 purchases, 300 expenses
    EXPECT_EQ(run.NetProfit, *Currency::parse("1400"));
    // Rows drawn: Sales (with its online sub-account folded), Purchases, Wages, Rent.
    ASSERT_EQ(w.rows().size(), 4u);
    EXPECT_EQ(w.rows()[0].account, *Currency::parse("400"));
    EXPECT_EQ(w.rows()[3].account, *Currency::parse("610"));
    EXPECT_TRUE(w.Ratio[0]->isVisible());
    EXPECT_EQ(w.Ratio[0]->text().toStdString(), is.grossRatioCaption);
    EXPECT_EQ(w.Ratio[1]->text().toStdString(), is.netRatioCaption);
    saveScreenshot(&w, "income_statement_window");

    // A picked day recomputes: January alone has no purchases.
    w.DateSearch[1]->setText(
        Tmain::FormatDateStyle(Tmain::DayNumber(2024, 1, 31), 2, dayFirstLocale()));
    run.DateChangedFlag = 1;
    emit w.DateSearch[1]->Click();
    EXPECT_EQ(w.result().period.end, Tmain::DayNumber(2024, 1, 31));
    EXPECT_EQ(w.rows().size(), 1u);
    EXPECT_FALSE(w.Ratio[0]->isVisible());
    w.DateSearch[1]->setText(last);
    w.Command1->click();
    EXPECT_EQ(w.rows().size(), 4u);

    // Left and right buttons on the rent row, after a press that moved: one
    // drill-down each, up to the period's last day.
    const QPoint onRent = pixelAt(w.width() * 7, w.rows()[3].bottom - 100);
    mouse(w.Canvas, QEvent::MouseButtonPress, onRent, Qt::RightButton);
    mouse(w.Canvas, QEvent::MouseMove, onRent + QPoint(0, 2), Qt::RightButton);
    mouse(w.Canvas, QEvent::MouseButtonRelease, onRent, Qt::RightButton);
    click(w.Canvas, onRent, Qt::LeftButton);
    click(w.Canvas, onRent, Qt::RightButton);
    ASSERT_EQ(opened.requests.size(), 2u);
    EXPECT_EQ(opened.requests[0].window, LedgerRequest::Window::RunningBalance);
    EXPECT_EQ(opened.requests[1].window, LedgerRequest::Window::TAccount);
    EXPECT_EQ(opened.requests[1].account, *Currency::parse("610"));
    EXPECT_EQ(opened.requests[1].endDay, Tmain::DayNumber(2024, 4, 10));

    // Copy puts plain text and RTF on the clipboard.
    w.CopyIncomeStatement->trigger();
    EXPECT_FALSE(fakes.clipboard.plain.empty());
    EXPECT_EQ(fakes.clipboard.rtf.rfind("{\\rtf", 0), 0u);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();

    // Printed on the PDF printer: the same statement on paper.
    const std::string text = printedPdfText(fakes, w.printSetup(), w.PrintToPrinter);
    EXPECT_EQ(run.PrintScale, 1.0f);
    ASSERT_FALSE(text.empty());
    for (const char* expected :
         {"Corner Shop", "Income Statement", "REVENUE", "Gross Profit", "Net Profit", "1,400.00"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    // A two-digit-year style: the days given are built, also past 2045 ("31/12/46" reads 1946).
    Book later = statementbooks::tradingBookEndingOn(Tmain::DayNumber(2046, 12, 31), 1);
    Income_Statement late(later, run, opened.host());
    late.Form_Activate2();
    EXPECT_EQ(late.result().period.end, Tmain::DayNumber(2046, 12, 31));
    EXPECT_EQ(late.result().netProfitText, "1,400.00");
}

} // namespace
