// A balance sheet window on the small trading book: it opens at the
// journal's latest day, draws either layout from the same computation,
// shows the return on equity in the menu bar, and drills into the ledgers
// (reloading the running balance first once an entry has been deleted).
#include "statements/qt/Balance_Sheet.h"

#include "book/number_format.h"
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
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace statement_driving;

namespace {

TEST(BalanceSheetWindow, LatestDayLayoutsAndDrillDown) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = statementbooks::tradingBook();
    RunTimeState run;
    LedgerRecorder opened;
    Balance_Sheet w(book, run, opened.host());
    EXPECT_EQ(w.ISCalander->Text(), "10/04/2024"); // the latest line
    w.BalanceMainLOAD();
    w.resize(700, 640);
    w.show();
    QApplication::processEvents();
    const BalanceSheet& bs = w.result();
    EXPECT_EQ(bs.date, Tmain::DayNumber(2024, 4, 10));
    EXPECT_EQ(w.Ratio->isVisible(), bs.returnOnEquity.has_value());
    EXPECT_EQ(w.Ratio->text().toStdString(), bs.returnOnEquityCaption);

    // Working capital: current assets, current liabilities, non-current
    // assets and liabilities, capital; every account row drawn once.
    auto accounts = [&w] {
        std::vector<std::string> numbers;
        for (const RowSpot& r : w.rows())
            numbers.push_back(plainNumberText(r.account, "."));
        return numbers;
    };
    EXPECT_EQ(accounts(), (std::vector<std::string>{"100", "110", "150", "250", "300", "310"}));
    saveScreenshot(&w, "balance_sheet_window");
    w.USA->trigger(); // assets and liabilities: the non-current assets move up
    EXPECT_EQ(accounts(), (std::vector<std::string>{"100", "150", "110", "250", "300", "310"}));
    EXPECT_EQ(w.result().date, bs.date);

    const RowSpot loan = w.rows()[3];
    const QPoint onLoan = pixelAt(w.width() * 7, loan.bottom - 100);
    hover(w.Canvas, QPoint(w.width() / 2, (loan.bottom - 200 + 14) / 15 - 1)); // its top pixels
    EXPECT_EQ(w.P->text().toStdString(), hoverText(book, loan.account));
    Book dashed = book; // a sub-account as the journal window shows it
    dashed.SubAccountDash = -1;
    EXPECT_EQ(hoverText(dashed, Currency::fromRaw(2505000)), "250-5 / ");
    click(w.Canvas, onLoan, Qt::LeftButton);
    run.JournalRevision = 1;
    click(w.Canvas, onLoan, Qt::LeftButton);
    click(w.Canvas, onLoan, Qt::RightButton);
    ASSERT_EQ(opened.requests.size(), 3u);
    EXPECT_FALSE(opened.requests[0].reloadFirst);
    EXPECT_TRUE(opened.requests[1].reloadFirst);
    EXPECT_FALSE(opened.requests[2].reloadFirst); // the T-account is not reloaded
    for (const LedgerRequest& r : opened.requests) {
        EXPECT_EQ(r.account, *Currency::parse("250"));
        EXPECT_EQ(r.endDay, Tmain::DayNumber(2024, 4, 10));
    }
    // A click between the equipment and the bank (totals, a heading) opens nothing.
    const RowSpot equipment = w.rows()[1], bank = w.rows()[2];
    for (int y = equipment.bottom + 20; y < bank.bottom - bank.height - 20; y += 60)
        click(w.Canvas, pixelAt(w.width() * 7, y), Qt::LeftButton);
    EXPECT_EQ(opened.requests.size(), 3u);
    // The wheel scrolls a view the statement passes: a notch down, three steps.
    w.resize(700, 300);
    QApplication::processEvents();
    const int top = w.rows()[0].bottom;
    QWheelEvent notch(QPointF(300, 200), w.Canvas->mapToGlobal(QPointF(300, 200)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.Canvas, &notch);
    EXPECT_EQ(w.TScroll->Value(), 3 * 150);
    EXPECT_EQ(w.rows()[0].bottom, top - 3 * 150);
    w.CopyBalanceSheet->trigger();
    EXPECT_EQ(fakes.clipboard.rtf.rfind("{\\rtf", 0), 0u);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();

    // Printed on the PDF printer: the same statement on paper.
    const std::string text = printedPdfText(fakes, w.printSetup(), w.PrintToPrinter);
    EXPECT_EQ(run.PrintScale, 1.0f);
    ASSERT_FALSE(text.empty());
    for (const char* expected : {"Corner Shop", "Financial Position Ending 10 April 2024",
                                 "TOTAL ASSETS", "CAPITAL / EQUITY", "Owner Drawings"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

// A system short date that spells the month: the picker shows it so and
// reads it back as the same day.
TEST(BalanceSheetWindow, ShortDateWithMonthNamesStillReadsBack) {
    LocaleInfo spelled = dayFirstLocale();
    spelled.shortDatePattern = "d MMM yyyy";
    ScopedFakeServices fakes(spelled);
    Book book = statementbooks::tradingBook();
    RunTimeState run;
    Balance_Sheet w(book, run, StatementHost{});
    EXPECT_EQ(w.ISCalander->Text(), "10 Apr 2024");
    w.BalanceMainLOAD();
    EXPECT_EQ(w.result().date, Tmain::DayNumber(2024, 4, 10));
    // A two-digit-year style: the day given is built, also past 2045.
    Book later = statementbooks::tradingBookEndingOn(Tmain::DayNumber(2046, 12, 31), 1);
    Balance_Sheet late(later, run, StatementHost{});
    late.BalanceMainLOAD();
    EXPECT_EQ(late.result().date, Tmain::DayNumber(2046, 12, 31));
}

} // namespace
