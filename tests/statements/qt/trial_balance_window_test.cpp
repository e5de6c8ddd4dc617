// The trial balance window on the small trading book: computed for the date
// in its picker, recomputed for a picked day, scrolled only when it does not
// fit, drilled into by a click (not by a drag), copied, and printed on the
// PDF printer page after page.
#include "statements/qt/Trial_Balance.h"

#include "book/tmain.h"
#include "book/typed_input.h"
#include "platform/fake/fake_services.h"
#include "platform/fake/recording_surface.h"
#include "statements/qt/draw_trial_balance.h"
#include "statements/qt/statement_canvas.h"
#include "statements/statement_books.h"
#include "support/pdf_text.h"
#include "support/test_paths.h"
#include "tests/statements/qt/statement_host_recorder.h"
#include "tests/statements/qt/statement_window_driving.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/RealhScroll.h"
#include "toolkit/qt/TuvoVerticalScroll.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace statement_driving;
using testing_support::readPdfText;
using testing_support::runCommand;
using testing_support::TempDir;

namespace {

TEST(TrialBalanceWindow, DateScrollDrillDownAndCopy) {
    ScopedFakeServices fakes(dayFirstLocale());
    Book book = statementbooks::tradingBook();
    RunTimeState run;
    LedgerRecorder opened;
    Trial_Balance w(book, run, opened.host());
    w.ISCalander->setText("30/04/2024");
    w.mainLOAD();
    w.resize(700, 520);
    w.show();
    QApplication::processEvents();

    // Every account with a balance on 30 April, in table order, folded.
    std::vector<std::string> shown;
    for (const TrialBalanceRow& r : w.result().rows)
        if (r.shown()) shown.push_back(r.name);
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Cash", "Bank", "Loan", "Equipment", "Capital",
                                        "Owner Drawings", "Sales", "Purchases", "Wages", "Rent"}));
    ASSERT_EQ(w.rows().size(), shown.size());
    EXPECT_EQ(w.result().debitTotalText, w.result().creditTotalText);
    EXPECT_FALSE(w.TScroll->isVisible()); // a short statement needs no scroll bar
    EXPECT_EQ(dialog_driving::menuAccessKeys(&w), "fa");
    saveScreenshot(&w, "trial_balance_window");

    // A picked day recomputes: on 31 January only the January accounts.
    w.ISCalander->setText("31/01/2024");
    run.DateChangedFlag = 1;
    emit w.ISCalander->Click();
    EXPECT_EQ(run.DateChangedFlag, 0);
    EXPECT_EQ(w.result().asOfDate, Tmain::DayNumber(2024, 1, 31));
    EXPECT_EQ(w.rows().size(), 4u); // cash, equipment, capital, sales (its sub-account folded in)

    // Keys in the picker: a letter is dropped, digits and "/" pass, Enter recomputes.
    KeyPressArgs letter{'a'}, digit{'3'}, slash{'/'}, enter{keys::Enter};
    emit w.ISCalander->KeyPress(letter);
    emit w.ISCalander->KeyPress(digit);
    emit w.ISCalander->KeyPress(slash);
    EXPECT_EQ(letter.KeyAscii, 0);
    EXPECT_EQ(digit.KeyAscii, '3');
    EXPECT_EQ(slash.KeyAscii, '/');
    w.ISCalander->setText("29/02/2024");
    emit w.ISCalander->KeyPress(enter);
    EXPECT_EQ(w.result().asOfDate, Tmain::DayNumber(2024, 2, 29));
    // A text naming no day is told; the day built stays, and the box shows it.
    for (const char* typed : {"31/02/2024", "2024-13-01"}) {
        w.ISCalander->setText(typed);
        KeyPressArgs again{keys::Enter}; // the window swallows the one it takes
        emit w.ISCalander->KeyPress(again);
        EXPECT_EQ(fakes.messages.lastText(), InvalidDateText);
        EXPECT_EQ(w.result().asOfDate, Tmain::DayNumber(2024, 2, 29));
        EXPECT_EQ(w.ISCalander->Text(), "29/02/2024");
    }
    // Left by a click on the statement, a day typed is built as Enter builds
    // it; a text naming no day is told, and the picker shows the day built again.
    QApplication::setActiveWindow(&w);
    for (const std::string typed : {"15/01/24", "1.2345"}) {
        fakes.messages.shown.clear();
        w.ISCalander->textBox()->setFocus();
        w.ISCalander->setText(typed);
        QTest::mouseClick(w.Canvas, Qt::LeftButton, {}, QPoint(5, w.Canvas->height() - 5));
        EXPECT_EQ(std::pair(w.ISCalander->Text(), w.result().asOfDate),
                  std::pair(std::string("15/01/2024"), Tmain::DayNumber(2024, 1, 15)));
        EXPECT_EQ(fakes.messages.shown.size(), typed == "1.2345" ? 1u : 0u);
    }
    fakes.messages.shown.clear();
    w.ISCalander->setText("31/01/2024");
    w.mainLOAD();

    // Sub-accounts apart: Sales online gets its own row.
    w.DisplaySubAcc->trigger();
    EXPECT_TRUE(w.result().includeSubAccounts);
    EXPECT_EQ(w.rows().size(), 5u);

    // A window too low for the statement scrolls.
    w.resize(420, 180);
    QApplication::processEvents();
    EXPECT_TRUE(w.TScroll->isVisible());
    EXPECT_GT(w.TScroll->ValueMax(), 0);
    const int before = w.rows()[0].bottom;
    w.TScroll->setValue(300);
    EXPECT_EQ(w.rows()[0].bottom, before - 300);
    w.TScroll->setValue(w.TScroll->ValueMax()); // the foot at the view's foot
    const int bar = w.HScroll->isHidden() ? 0 : w.HScroll->height();
    EXPECT_EQ(w.DrawHeight - w.TScroll->Value(), (w.Canvas->height() - bar) * 15);
    w.TScroll->setValue(0);
    w.resize(700, 520);
    QApplication::processEvents();

    // Press, move and release on a row: no drill-down.
    const RowSpot sales = w.rows()[3];
    const QPoint onSales = pixelAt(3000, sales.bottom - 100);
    mouse(w.Canvas, QEvent::MouseButtonPress, onSales, Qt::LeftButton);
    mouse(w.Canvas, QEvent::MouseMove, onSales + QPoint(3, 0), Qt::LeftButton);
    mouse(w.Canvas, QEvent::MouseButtonRelease, onSales + QPoint(3, 0), Qt::LeftButton);
    EXPECT_TRUE(opened.requests.empty());
    // Hovering names the row's account.
    hover(w.Canvas, onSales);
    EXPECT_EQ(w.P->text().toStdString(), "400 / Sales");
    // The left button opens the running balance, the right the T-account,
    // each on the row's own account and the statement's date; the middle nothing.
    click(w.Canvas, onSales, Qt::LeftButton);
    click(w.Canvas, onSales, Qt::RightButton);
    click(w.Canvas, onSales, Qt::MiddleButton);
    ASSERT_EQ(opened.requests.size(), 2u);
    EXPECT_EQ(opened.requests[0].window, LedgerRequest::Window::RunningBalance);
    EXPECT_EQ(opened.requests[1].window, LedgerRequest::Window::TAccount);
    for (const LedgerRequest& r : opened.requests) {
        EXPECT_EQ(r.account, *Currency::parse("400"));
        EXPECT_EQ(r.endDay, Tmain::DayNumber(2024, 1, 31));
        EXPECT_FALSE(r.reloadFirst);
    }

    // Copy: the tab text and the RTF on the clipboard together; the copy button too.
    fakes.clipboard.plain.clear();
    w.CopyTrialBalance->trigger();
    EXPECT_NE(fakes.clipboard.plain.find("Sales\t"), std::string::npos) << fakes.clipboard.plain;
    EXPECT_EQ(fakes.clipboard.rtf.rfind("{\\rtf", 0), 0u) << fakes.clipboard.rtf;
    EXPECT_NE(fakes.clipboard.rtf.find("Equipment"), std::string::npos);
    fakes.clipboard.plain.clear();
    w.stripButtonReleased(2);
    EXPECT_NE(fakes.clipboard.plain.find("Sales\t"), std::string::npos);

    // Send: the page as a mail draft, opened with the mail program.
    TempDir dir;
    fakes.environment.vars["tmp"] = dir.path().string();
    w.stripButtonReleased(1);
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_NE(testing_support::readFile(fakes.shell.opened[0]).find("Equipment"),
              std::string::npos);

    // Export: the file dialog's choice written in the chosen type.
    answerFileDialog(dir / "trial", "csv");
    w.SaveTrialBal->trigger();
    EXPECT_EQ(run.SaveExtension, "csv");
    EXPECT_NE(testing_support::readFile(dir / "trial.csv").find("Equipment"), std::string::npos);
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.lastText();
}

// The one x at which the names of a drawing stand, each on its account
// number's line and clear of its end.
double nameColumn(const TrialBalance& tb, bool onWindow) {
    RecordingSurface s(9000, 200000);
    Measured kept;
    DrawTarget t{s, onWindow, 1.0, nullptr, &kept};
    Book book = statementbooks::emptyBook();
    drawTrialBalance(t, book, tb);
    std::set<double> xs;
    const RecordedCall* number = nullptr;
    for (const TrialBalanceRow& row : tb.rows) {
        if (!row.shown()) continue;
        for (const RecordedCall& call : s.calls) {
            if (call.kind != RecordedCall::Text) continue;
            if (call.text == row.numberText) number = &call;
            if (call.text != row.name || !number) continue;
            xs.insert(call.x1);
            // The surface's characters are FontSize * 10 twips wide.
            EXPECT_EQ(call.y1, number->y1) << row.name << onWindow;
            EXPECT_LT(number->x1 + 100.0 * number->text.size(), call.x1) << row.name << onWindow;
            break;
        }
    }
    EXPECT_EQ(xs.size(), 1u) << onWindow;
    return xs.empty() ? -1 : *xs.begin();
}

TEST(TrialBalanceWindow, TwoHundredAccountsPrintOnSeveralPages) {
    ScopedFakeServices fakes(dayFirstLocale());
    TempDir dir;
    const std::string pdf = (dir / "trial.pdf").string();
    fakes.environment.vars["LW_PDF_OUTPUT"] = pdf;
    Book book = statementbooks::emptyBook();
    book.BusinessName = VariantText("Many Accounts Ltd");
    book.FontName = VariantText("DejaVu Sans");
    book.DecimalsTrialBalance = 2;
    const double day = Tmain::DayNumber(2024, 6, 1);
    for (int k = 0; k < 200; ++k) {
        const std::string number = std::to_string(1000 + k);
        statementbooks::setAccount(book, k + 1, number, "Account " + number, CurrentAsset);
        statementbooks::addEntry(book, std::to_string(k + 1), day, number, "1000", "12.5");
    }
    RunTimeState run;
    Trial_Balance w(book, run, StatementHost{});
    w.ISCalander->setText("30/06/2024");
    w.mainLOAD();
    w.show();
    QApplication::processEvents();
    // Ordinary numbers keep the names where the layout puts them, on the
    // window and on paper; the widest number there is moves them right of it.
    for (bool onWindow : {true, false})
        EXPECT_EQ(nameColumn(w.result(), onWindow), 0.116 * 9000) << onWindow;

    const std::string widest = "-922337203685477.5808";
    statementbooks::setAccount(book, 201, widest, "Suspense", CurrentAsset);
    statementbooks::addEntry(book, "201", day, widest, "1000", "12.5");
    w.mainLOAD();
    QApplication::processEvents();
    ASSERT_EQ(std::count_if(w.result().rows.begin(), w.result().rows.end(),
                            [&](const TrialBalanceRow& r) { return r.numberText == widest; }),
              1);
    for (bool onWindow : {true, false})
        nameColumn(w.result(), onWindow);
    // On paper at any zoom a band is one line high, as its text is drawn.
    for (const double zoom : {0.5, 1.5}) {
        RecordingSurface s(9000, 200000);
        DrawTarget paper{s, false, zoom};
        drawTrialBalance(paper, book, w.result());
        for (const RecordedCall& call : s.calls)
            if (call.kind == RecordedCall::FilledBox && call.color == 0xF0F0F0) {
                EXPECT_NEAR(call.y2 - call.y1, 240 * paper.scale, 0.5) << zoom; // 10 points
            }
    }

    answerPrintSetupWithPdf(w.printSetup());
    w.PrintAccount->trigger();
    EXPECT_EQ(run.PrintScale, 1.0f);
    std::string pages;
    ASSERT_EQ(runCommand("pdfinfo '" + pdf + "' | grep Pages", &pages), 0);
    EXPECT_GT(std::stoi(pages.substr(pages.find(':') + 1)), 1) << pages;
    std::string text;
    ASSERT_EQ(readPdfText(pdf, &text), 0) << text;
    for (int k = 0; k < 200; ++k) {
        const std::string name = "Account " + std::to_string(1000 + k);
        EXPECT_NE(text.find(name), std::string::npos) << name;
    }
    EXPECT_NE(text.find("TOTALS"), std::string::npos);
    const std::size_t at = text.find(widest);
    ASSERT_NE(at, std::string::npos) << text;
    const std::size_t name = text.find_first_not_of(' ', at + widest.size());
    EXPECT_GT(name, at + widest.size());
    EXPECT_EQ(text.compare(name, 8, "Suspense"), 0) << text.substr(at, 60);

    // A PDF file that cannot be made is told once, by its name, and not tried again.
    const std::string missing = (dir / "missing" / "trial.pdf").string();
    fakes.environment.vars["LW_PDF_OUTPUT"] = missing;
    const std::size_t told = fakes.messages.shown.size();
    answerPrintSetupWithPdf(w.printSetup());
    w.PrintAccount->trigger();
    ASSERT_EQ(fakes.messages.shown.size(), told + 1);
    EXPECT_NE(fakes.messages.lastText().find(missing), std::string::npos);
}

} // namespace
