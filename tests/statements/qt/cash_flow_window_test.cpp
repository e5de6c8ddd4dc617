// The inflows/outflows window on the small trading book: it opens as revenue
// against expenses by month, scrolls both ways when the window is small,
// takes a typed folio number ("-" as the decimal mark) for cash mode, starts
// at a chosen period, and drills from a row into the ledgers.
#include "statements/qt/CashFlow.h"

#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "statements/qt/statement_canvas.h"
#include "statements/statement_books.h"
#include "support/qt/real_font_recorder.h"
#include "support/screen_fit.h"
#include "support/test_paths.h"
#include "tests/statements/qt/statement_host_recorder.h"
#include "tests/statements/qt/statement_window_driving.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <limits>

using namespace statement_driving;
using namespace statementbooks;

namespace {

TEST(CashFlowWindow, ModesScrollingFolioAndDrillDown) {
    for (const std::string& family : dialog_driving::bothFamilies) {
        SCOPED_TRACE(family);
        ScopedFakeServices fakes(dayFirstLocale());
        Book book = statementbooks::tradingBook();
        book.FontName = VariantText(family);
        handmade::setAccount(book, book.slotsInUse(), "-922337203685477.5808", "Lowest", Other);
        RunTimeState run;
        LedgerRecorder opened;
        book.AccountNames[2] = "Bank - Main Operating Account 01 at City Bank";
        opened.accounts = {book.AccountNames[2], "Sales", "Sales online"};
        CashFlow w(book, run, opened.host());
        w.resize(760, 480);
        w.show();
        QApplication::processEvents();
        EXPECT_EQ(w.tReportAcc->currentText().toStdString(), "Revenue / Expense");
        EXPECT_EQ(w.tReportAcc->count(), 3);
        EXPECT_FALSE(w.result().cashMode);
        EXPECT_EQ(w.SmSelect->count(), 4); // January to April
        // Revenue rows, then expenses, cost and drawings.
        ASSERT_EQ(w.rows().size(), w.result().inflows.size() + w.result().outflows.size());
        saveScreenshot(&w, "cash_flow_window");

        // Hovering a row names it in the menu bar; a click opens its ledger.
        const RowSpot sales = w.rows()[0];
        const QPoint onSales = pixelAt(600, sales.bottom - 60);
        hover(w.Canvas, onSales);
        EXPECT_EQ(w.mA->text().toStdString(), "400 / Sales");
        click(w.Canvas, onSales, Qt::RightButton);
        ASSERT_EQ(opened.requests.size(), 1u);
        EXPECT_EQ(opened.requests[0].window, LedgerRequest::Window::TAccount);
        EXPECT_EQ(opened.requests[0].account, *Currency::parse("400"));
        EXPECT_FALSE(opened.requests[0].endDay); // the ledger keeps its dates

        // At its smallest the window scrolls both ways, the strip's boxes hold
        // what they show and stand whole, and the table ends at the view's foot.
        w.resize(w.minimumSize());
        QApplication::processEvents();
        QLineEdit* item = w.tReportAcc->lineEdit();
        EXPECT_GE(lineEditTextRoom(item), item->fontMetrics().horizontalAdvance(item->text()));
        for (QComboBox* box : {w.DateTerm, w.SmSelect})
            EXPECT_GE(box->width(), box->sizeHint().width());
        for (QWidget* box :
             std::initializer_list<QWidget*>{w.DateTerm, w.tReportAcc, w.SmSelect, w.FolioChoiceTx})
            EXPECT_GE(box->height(), box->minimumSizeHint().height());
        const std::vector<std::string> cut = dialog_driving::controlsCutOrCovered(&w);
        EXPECT_TRUE(cut.empty()) << cut.front();
        EXPECT_GT(w.VScroll1->ValueMax(), 0);
        EXPECT_GT(w.HScroll1->ValueMax(), 0);
        const QImage before = w.Canvas->picture().copy();
        w.HScroll1->setValue(w.HScroll1->ValueMax());
        EXPECT_NE(w.Canvas->picture(), before);
        const int top = w.rows()[0].bottom;
        w.VScroll1->setValue(300);
        EXPECT_EQ(w.rows()[0].bottom, top - 300);
        w.VScroll1->setValue(w.VScroll1->ValueMax());
        RealFontRecorder s(twipsOf(w.Canvas->width()), twipsOf(w.Canvas->height()));
        w.drawView(s);
        double foot = 0;
        for (const RecordedCall& c : s.calls)
            if (c.kind == RecordedCall::Text) foot = std::max(foot, c.y2);
        EXPECT_NEAR(foot, twipsOf(w.HScroll1->y()), TwipsPerScreenPixel);
        saveScreenshot(&w, "cash_flow_window_scrolled");
        w.resize(760, 480);

        // In revenue/expense mode too, a number not read whole, left by Tab, is told, put back.
        const std::pair<LocaleInfo, std::string> tabbed[] = {
            {decimalCommaLocale(), "\"1.234,5\" : Not an account number, none kept"},
            {monthFirstLocale(),
             "\",\" : Not an account number: type digits, \"-\" and \".\" only"}};
        for (const auto& [locale, told] : tabbed) {
            ScopedFakeServices local(locale);
            w.FolioChoiceTx->setFocus();
            dialog_driving::typeText(w.FolioChoiceTx, "1.234,5");
            dialog_driving::pressKey(w.FolioChoiceTx, Qt::Key_Tab, "\t");
            EXPECT_EQ(std::tuple(w.FolioChoiceTx->text().toStdString(), w.result().cashMode,
                                 QApplication::focusWidget() != w.FolioChoiceTx,
                                 local.messages.shown.at(0).text),
                      std::tuple("", false, true, told));
        }
        // The folio box: a letter is dropped; 400-1 and Enter choose Sales online.
        w.FolioChoiceTx->setFocus();
        dialog_driving::typeText(w.FolioChoiceTx, "12");
        dialog_driving::pressKey(w.FolioChoiceTx, Qt::Key_A, QString(QChar(1)),
                                 Qt::ControlModifier);
        dialog_driving::typeText(w.FolioChoiceTx, "x400-1"); // over the whole "12"
        EXPECT_EQ(w.FolioChoiceTx->text().toStdString(), "400-1");
        EXPECT_EQ(dialog_driving::typedThenPasted(w.FolioChoiceTx, "", "400-1").second, "400-1");
        dialog_driving::pressKey(w.FolioChoiceTx, Qt::Key_Return, "\r");
        EXPECT_EQ(w.tReportAcc->currentText().toStdString(), "Sales online");
        EXPECT_TRUE(w.result().cashMode);
        EXPECT_EQ(w.result().cashAccount, *Currency::parse("400.1"));
        EXPECT_EQ(w.VScroll1->Value(), 0);
        EXPECT_EQ(w.HScroll1->Value(), 0);
        // A number no account has: the message, and nothing changes.
        w.FolioChoiceTx->setText("999");
        dialog_driving::pressKey(w.FolioChoiceTx, Qt::Key_Return, "\r");
        EXPECT_EQ(fakes.messages.lastText(), strings::text(291));
        EXPECT_EQ(w.result().cashAccount, *Currency::parse("400.1"));
        // The lowest number there is, typed with its sign, is read exactly.
        w.FolioChoiceTx->clear();
        dialog_driving::typeText(w.FolioChoiceTx, "-922337203685477.5808");
        dialog_driving::pressKey(w.FolioChoiceTx, Qt::Key_Return, "\r");
        EXPECT_EQ(w.tReportAcc->currentText().toStdString(), "Lowest");
        EXPECT_EQ(w.result().cashAccount.raw, std::numeric_limits<std::int64_t>::min());
        QLineEdit* folio = w.FolioChoiceTx;
        EXPECT_GE(lineEditTextRoom(folio), folio->fontMetrics().horizontalAdvance(folio->text()));
        EXPECT_EQ(dialog_driving::numberTextsCut(folio), std::vector<std::string>{});

        w.tReportAcc->setCurrentIndex(0); // a long name picked shows its start
        emit w.tReportAcc->activated(0);
        EXPECT_EQ(dialog_driving::figuresUnreadable(&w, true), std::vector<std::string>{});

        // A name typed and left by Tab is taken; one no account has is told,
        // and the box shows the account used when the period kind changes.
        w.tReportAcc->setEditText("Sales");
        QFocusEvent tabbedAway(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w.tReportAcc, &tabbedAway);
        EXPECT_EQ(w.result().cashAccount, *Currency::parse("400"));
        w.tReportAcc->setEditText("Nobody");
        w.DateTerm->setCurrentIndex(1);
        emit w.DateTerm->activated(1);
        EXPECT_EQ(std::tuple(fakes.messages.lastText(), w.tReportAcc->currentText().toStdString(),
                             w.result().kind, w.result().cashAccount),
                  std::tuple(strings::text(291), "Sales", PeriodKind::Bimonthly,
                             *Currency::parse("400")));
        w.tReportAcc->setEditText("Cash"); // typed, not left: the period kind takes it

        // Choosing the third period starts the table there; a period kind recomputes.
        w.SmSelect->setCurrentIndex(2);
        emit w.SmSelect->activated(2);
        EXPECT_EQ(w.firstPeriod(), 2);
        w.DateTerm->setCurrentIndex(2);
        emit w.DateTerm->activated(2);
        EXPECT_EQ(w.result().kind, PeriodKind::Quarterly);
        EXPECT_EQ(w.result().cashAccount, *Currency::parse("100"));
        EXPECT_EQ(w.firstPeriod(), 0);
        // The number box (left by Tab, Enter on odd rows) takes a number whole.
        const std::pair<const char*, std::string> numbers[] = {
            {"400/7", "\"400/7\" : Not an account number, 100 kept"},
            {"100.0.5", "\"100.0.5\" : Not an account number, 100 kept"},
            {"999", strings::text(291)},
            {"400", ""},
            {"100", ""}};
        for (std::size_t i = 0; i < std::size(numbers); ++i) {
            const auto& [typed, told] = numbers[i];
            fakes.messages.shown.clear();
            w.FolioChoiceTx->selectAll();
            dialog_driving::typeText(w.FolioChoiceTx, typed);
            if (i % 2)
                dialog_driving::pressKey(w.FolioChoiceTx, Qt::Key_Return, "\r");
            else
                QApplication::sendEvent(w.FolioChoiceTx, &tabbedAway);
            const char* kept = told.empty() ? typed : "100";
            EXPECT_EQ(std::tuple(w.FolioChoiceTx->text().toStdString(), w.result().cashAccount,
                                 fakes.messages.lastText()),
                      std::tuple(kept, *Currency::parse(kept), told));
        }

        // Copy: the table as plain text only.
        fakes.clipboard.rtf = "old";
        w.SaveB->trigger();
        EXPECT_FALSE(fakes.clipboard.plain.empty());
        EXPECT_TRUE(fakes.clipboard.rtf.empty());

        // Printed on the PDF printer at half size: the heading line and the table.
        const std::string text = printedPdfText(fakes, w.printSetup(), w.PrintCash, "50%");
        EXPECT_EQ(run.PrintScale, 1.0f);
        ASSERT_FALSE(text.empty());
        for (const char* expected : {"Corner Shop, Cash Flow Position, account 100 Cash",
                                     "Total Inflows:", "Outflows:", "Ending Balance:"})
            EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
}

// Short names beside thirteen-digit figures: the labels of the first column
// ("Beginning Balance:", "Total Outflows:") end before its figures begin, also on paper.
// Printed without a business name, the heading is the title alone.
TEST(CashFlowWindow, ShortNamesBesideLargeFiguresAndNoBusinessName) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = cornerShop();
    book.BusinessName = VariantText("");
    book.FontName = VariantText("Liberation Sans"); // measures narrower than the recording
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "400", "Sales", Revenue);
    setAccount(book, 3, "600", "Rent", Expense);
    addEntry(book, "1", day2024(1, 5), "100", "400", "1188085100441.60");
    addEntry(book, "2", day2024(2, 5), "600", "100", "1069276590397.44");
    RunTimeState run;
    CashFlow w(book, run, StatementHost{});
    w.resize(760, 480);
    w.show();
    QApplication::processEvents();
    RecordingSurface s(twipsOf(w.Canvas->width()), twipsOf(w.Canvas->height()));
    w.drawView(s);
    EXPECT_EQ(overlappingTexts(s.calls), std::vector<std::string>{});
    for (const double zoom : {0.2, 10.0}) { // nothing past the page either
        SCOPED_TRACE(zoom);
        RecordingSurface paper;
        DrawTarget t{paper, false, zoom};
        printInflowsOutflows(t, book, w.result(), 0);
        EXPECT_EQ(overlappingTexts(paper.calls), std::vector<std::string>{});
        EXPECT_EQ(textsCutAtEdge(paper.calls, {paper.ScaleWidth(), paper.ScaleHeight()}),
                  std::vector<std::string>{});
    }

    const std::string text = printedPdfText(fakes, w.printSetup(), w.PrintCash);
    ASSERT_NE(text.find("Cash Flow Position"), std::string::npos) << text;
    EXPECT_EQ(text.find(", Cash Flow Position"), std::string::npos) << text;
}

} // namespace
