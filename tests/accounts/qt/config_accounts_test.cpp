// The chart-of-accounts editor and the move window driven as the user does:
// typing into the grid, a class click, a refused close, Copy All, the chart
// printed to the PDF printer, and the move's question answered both ways.
#include "accounts/qt/ConfigAccounts.h"
#include "accounts/qt/MoveAccounts.h"
#include "platform/fake/fake_services.h"
#include "platform/printer_choices.h"
#include "support/pdf_text.h"
#include "support/test_paths.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/Printformer.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/widget_events.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <limits>

using namespace dialog_driving;
using testing_support::readPdfText;
using testing_support::runCommand;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

Currency money(const char* text) {
    return *Currency::parse(text);
}

void clickOn(QWidget* w) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
}

struct ChartWindowTest : ::testing::Test {
    ScopedFakeServices fakes{dayFirstLocale()};
    Book book = makeEmptyBook("Balance", 46000);
    RunTimeState run;
    int refills = 0;
    std::vector<int> shownLines;
    HC help;

    void SetUp() override {
        book.BusinessName = "Harbour Traders";
        book.FontName = "DejaVu Sans";
        const struct {
            const char* number;
            const char* name;
            std::uint8_t type;
        } accounts[] = {{"100", "Cash at Bank", CurrentAsset},
                        {"210", "Accounts Payable", CurrentLiability},
                        {"400", "Sales", Revenue}};
        for (std::size_t i = 0; i < 3; ++i) {
            book.AccountNumbers[i + 1] = money(accounts[i].number);
            book.AccountNames[i + 1] = accounts[i].name;
            book.AccountTypes[i + 1] = accounts[i].type;
        }
        book.AccountNote2[1] = "Harbour Bank\r\nQuay Road";
    }

    void TearDown() override {
        helpMode().end();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    ConfigAccounts* open() {
        ChartWindowHooks hooks;
        hooks.refillAccountBoxes = [this] { ++refills; };
        hooks.showJournalLine = [this](int line) { shownLines.push_back(line); };
        hooks.help = &help;
        auto* w = new ConfigAccounts(book, run, hooks);
        w->show();
        settle();
        return w;
    }
};

TEST_F(ChartWindowTest, TypingClassesDashAndARefusedClose) {
    ConfigAccounts* w = open();
    EXPECT_EQ(w->windowTitle(), "Account Settings...");
    EXPECT_EQ(menuAccessKeys(w), "ah");
    EXPECT_EQ(w->Frame2->title(), "Accounts 1 To 14 :");
    EXPECT_EQ(w->RenameAccount[1]->text(), "Cash at Bank");
    EXPECT_EQ(w->Folio[0]->text(), "1");
    EXPECT_EQ(w->CurrentAsset[7]->text(), "Capital / Equity");
    EXPECT_EQ(w->ScrollAcc->ValueMax(), 0);

    // "100-5" typed into a number box stores 100.5, shown so once left; letters never arrive, and
    // are told. The empty row's 0 is selected as its box is clicked, so typing replaces it.
    QApplication::setActiveWindow(w);
    widget_events::click(w, widget_events::inTop(w->Folio[4], QPoint(30, 5)));
    settle();
    typeText(w->Folio[4], "10x0-5");
    // Nothing typed reaches the book before the box is left: Tab leaves it, Escape goes on to
    // the window, as from every other box.
    EXPECT_EQ(std::pair(book.AccountNumbers[4], run.BookChanged), std::pair(Currency(), false));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b");
    QApplication::sendEvent(w->Folio[4], &escape);
    EXPECT_FALSE(escape.isAccepted());
    pressKey(w->Folio[4], Qt::Key_Tab, "\t");
    EXPECT_EQ(std::tuple(QApplication::focusWidget(), book.AccountNumbers[4], w->Folio[4]->text(),
                         fakes.messages.lastText(), run.BookChanged),
              std::tuple(w->RenameAccount[5], money("100.5"), "100.5",
                         "\"x\" : Not an account number: type digits, \"-\" and \".\" only", true));
    fakes.messages.shown.clear();
    w->ScrollAcc_Change();
    EXPECT_EQ(w->Folio[4]->text(), "100.5");
    w->Dsh->click();
    EXPECT_EQ(w->Folio[4]->text(), "100-5");
    EXPECT_EQ(book.SubAccountDash, -1);
    w->Dsh->click();
    EXPECT_EQ(w->Folio[4]->text(), "100.5");
    EXPECT_EQ(book.AccountNumbers[4], money("100.5"));

    // A box takes a dozen characters and the shown decimal mark; left, it tells a text not whole.
    const auto typeAndLeave = [&](const std::string& mark, const std::string& typed) {
        run.DecimalSeparator = mark;
        w->Folio[4]->setFocus();
        w->Folio[4]->clear();
        typeText(w->Folio[4], typed);
        w->RenameAccount[4]->setFocus();
        return w->Folio[4]->text().toStdString() + " " + fakes.messages.lastText();
    };
    EXPECT_EQ(typeAndLeave(".", "12345678901234567890"), "123456789012 ");
    EXPECT_EQ(book.AccountNumbers[4], money("123456789012"));
    EXPECT_EQ(typeAndLeave(".", "5/5"),
              "123456789012 \"5/5\" : Not an account number, 123456789012 kept");
    EXPECT_EQ(typeAndLeave(",", "120.5").substr(0, 6), "120,5 "); // as the other rows show theirs
    EXPECT_EQ(typeAndLeave(",", "55,55").substr(0, 6), "55,55 ");
    EXPECT_EQ(book.AccountNumbers[4], money("55.55"));
    run.DecimalSeparator = ".";

    // The longest number a box takes shows whole as it is typed: the names give way. Past the
    // largest number, the box keeps and shows the last one read.
    book.AccountNumbers[7] = money("-111111111111111.111"); // twenty characters
    w->showBookAsItIs();
    EXPECT_EQ(typeAndLeave(".", "99999999999999999999"),
              "55.55 \"99999999999999999999\" : Not an account number, 55.55 kept");
    const int nameWidth = w->RenameAccount[4]->width();
    w->Folio[4]->setFocus();
    pressKey(w->Folio[4], Qt::Key_A, QString(QChar(1)), Qt::ControlModifier); // select all
    typeText(w->Folio[4], "922337203685477.5807");
    QFont bold = w->Folio[4]->font();
    bold.setBold(true);
    EXPECT_LE(QFontMetricsF(bold).horizontalAdvance(w->Folio[4]->text()), w->Folio[4]->width() - 4);
    EXPECT_LT(w->RenameAccount[4]->width(), nameWidth);
    w->RenameAccount[4]->setFocus();
    EXPECT_EQ(book.AccountNumbers[4].raw, std::numeric_limits<std::int64_t>::max());
    typeAndLeave(".", "100.5");
    // Sized for the widest number as the font measures it, not the one of most characters.
    run.DecimalSeparator = "\u066B";
    book.AccountNumbers[5] = money("-1234567890.5");
    book.AccountNumbers[6] = money("1234567890123");
    w->showBookAsItIs();
    EXPECT_LE(QFontMetricsF(bold).horizontalAdvance("1234567890123"), w->Folio[6]->width() - 4);
    run.DecimalSeparator = ".";
    book.AccountNumbers[5] = book.AccountNumbers[6] = book.AccountNumbers[7] = Currency();
    w->showBookAsItIs();

    // Selecting a row shows its notes; a class click gives it that class.
    w->RenameAccount[1]->setFocus();
    w->selectRow(1);
    EXPECT_EQ(w->ANote2->toPlainText(), "Harbour Bank\nQuay Road");
    // Tab moves on from both notes boxes, typing nothing into the note.
    for (QPlainTextEdit* note : {w->ANote, w->ANote2}) {
        note->setFocus();
        pressKey(note, Qt::Key_Tab, "\t");
        EXPECT_NE(QApplication::focusWidget(), note);
    }
    EXPECT_EQ(std::pair(book.AccountNote[1], book.AccountNote2[1]),
              std::pair(std::string(), std::string("Harbour Bank\r\nQuay Road")));
    clickOn(w->CurrentAsset[Expense]);
    EXPECT_EQ(book.AccountTypes[1], Expense);
    EXPECT_TRUE(w->CurrentAsset[Expense]->font().bold());
    EXPECT_FALSE(w->CurrentAsset[CurrentAsset]->font().bold());
    // In help mode a class click shows the class's help and still sets the class.
    w->HelpSelect->trigger();
    EXPECT_TRUE(helpMode().isOn());
    EXPECT_EQ(help.title(), "Chart of Accounts");
    clickOn(w->CurrentAsset[CostOfGoodsSold]);
    EXPECT_EQ(help.title(), "Cost of Goods Sold");
    EXPECT_EQ(book.AccountTypes[1], CostOfGoodsSold);
    clickOn(w->Folio[2]);
    EXPECT_EQ(help.title(), "Account-ID Settings");
    w->HelpSelect->trigger();
    EXPECT_FALSE(helpMode().isOn());
    EXPECT_FALSE(w->HelpSelect->isChecked());

    // Enter moves down a row; the name typed there is stored at once.
    pressKey(w->RenameAccount[1], Qt::Key_Return, "\r");
    pressKey(w->RenameAccount[2], Qt::Key_Down);
    EXPECT_EQ(w->editor().selectedRow(), 3);
    w->RenameAccount[4]->setFocus();
    w->selectRow(4);
    typeText(w->RenameAccount[4], "Cash at Bank");
    EXPECT_EQ(book.AccountNames[4], "Cash at Bank");
    saveScreenshot(w, "config_accounts");

    // Two accounts of one name: the close is refused, the second drawn red.
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(fakes.messages.lastText(),
              "Two or More Accounts have the same name\r\n\r\nAccount 100    Cash at Bank\r\n"
              "Account 100.5    Cash at Bank\r\n");
    EXPECT_EQ(w->Folio[4]->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(w->RenameAccount[1]->palette().color(QPalette::Text), QColor(Qt::black));
    saveScreenshot(w, "config_accounts_refused");
    EXPECT_EQ(refills, 0);

    // Mended, it closes, refills the account list and shows line 0.
    w->RenameAccount[4]->setText("");
    typeText(w->RenameAccount[4], "Petty Cash");
    EXPECT_TRUE(w->close());
    EXPECT_EQ(refills, 1);
    EXPECT_EQ(shownLines, std::vector<int>{0});
    std::vector<std::string> list;
    for (const VariantText& t : book.EntryAccountList)
        list.push_back(t.str());
    EXPECT_EQ(list, (std::vector<std::string>{"Balance b/f", "Cash at Bank", "Accounts Payable",
                                              "Sales", "Petty Cash"}));

    // An account typed by keys (name, Tab, number), Copy All chosen from the menu by keys while
    // the number is typed in: nothing is told, the copy and the book hold the account.
    for (const LocaleInfo& locale : typingLocales()) {
        ScopedFakeServices local(locale);
        ConfigAccounts* c = open();
        QApplication::setActiveWindow(c);
        widget_events::click(c, widget_events::inTop(c->RenameAccount[5], QPoint(30, 5)));
        pressKey(c->RenameAccount[5], Qt::Key_A, QString(QChar(1)), Qt::ControlModifier);
        keyed("Travel\t700"); // over the number box's 0, selected as Tab enters it
        pressKey(c->Folio[5], Qt::Key_A, "a", Qt::AltModifier);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (int down = 0; down < 5 && menu->activeAction() != c->Copy_All; ++down)
            pressKey(menu, Qt::Key_Down);
        pressKey(menu, Qt::Key_Return, "\r");
        EXPECT_EQ(std::tuple(local.messages.texts(), book.AccountNumbers[5], book.AccountNames[5],
                             local.clipboard.plain.find("700\tTravel") != std::string::npos),
                  std::tuple(std::vector<std::string>{}, money("700"), "Travel", true))
            << locale.name;
        c->close();
    }
}

TEST_F(ChartWindowTest, InsertDeleteStandardChartCopyAndPrint) {
    TempDir dir;
    fakes.environment.vars["LW_PDF_OUTPUT"] = (dir / "chart.pdf").string();
    // A negative number from a file survives every redraw, dash or not.
    book.AccountNumbers[13] = money("-5.5");
    book.AccountNames[13] = "Odd";
    book.SubAccountDash = -1;
    // A class outside 0..8 in a damaged book shows as Other; a Greek name
    // reaches the RTF whole.
    book.AccountTypes[0] = 200;
    book.AccountNames[3] = "\xCE\xA0\xCF\x89\xCE\xBB\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82";
    ConfigAccounts* w = open();
    EXPECT_TRUE(w->CurrentAsset[Other]->font().bold());
    EXPECT_EQ(w->editor().selectedClass(), Other);
    EXPECT_EQ(w->Folio[13]->text(), "-5-5");
    w->Dsh->click();
    w->ScrollAcc_Change();
    EXPECT_EQ(w->Folio[13]->text(), "-5.5");
    EXPECT_EQ(book.AccountNumbers[13], money("-5.5"));
    w->selectRow(1);
    w->Insert_Account_Click();
    EXPECT_EQ(book.LastAccount, 14);
    EXPECT_EQ(book.AccountNumbers[2], money("102"));
    EXPECT_EQ(w->editor().selectedSlot(), 2); // the new account moved into the selected row
    EXPECT_EQ(w->Frame2->title(), "Accounts 2 To 15 :");
    w->Delete_Account_Click();
    EXPECT_EQ(book.AccountNames[2], "Accounts Payable");

    // Copy All: the table as text and as real RTF.
    w->Copy_All_Click();
    EXPECT_EQ(fakes.clipboard.plain.rfind("Folio\tAccount Name\tAccount Type\r\n\r\n1\tBalance "
                                          "b/f\tOther\r\n100\tCash at Bank\tCurrent Asset\r\n",
                                          0),
              0u);
    writeFile(dir / "chart.rtf", fakes.clipboard.rtf);
    std::string rtfText;
    // unrtf's HTML keeps every character (as entities), which Python unescapes.
    const std::string reader = "import html, subprocess, sys; print(html.unescape(subprocess.run("
                               "['unrtf', '--html', sys.argv[1]], capture_output=True, "
                               "text=True).stdout))";
    ASSERT_EQ(runCommand(testing_support::systemPython() + " -c \"" + reader + "\" '" +
                             (dir / "chart.rtf").string() + "' 2>&1",
                         &rtfText),
              0)
        << rtfText;
    for (const char* expected :
         {"Folio", "Account Type", "Cash at Bank", "Current Liability",
          "\xCE\xA0\xCF\x89\xCE\xBB\xCE\xAE\xCF\x83\xCE\xB5\xCE\xB9\xCF\x82"})
        EXPECT_NE(rtfText.find(expected), std::string::npos) << expected << "\n" << rtfText;

    // The standard chart, printed to the PDF printer through the print setup.
    w->GChatA_Click();
    EXPECT_EQ(w->ScrollAcc->ValueMax(), 57);
    EXPECT_EQ(w->RenameAccount[0]->text(), "Cash at Bank");
    run.PrintScale = 1.0f;
    for (const char* zoom : {"100%", "50000%"}) { // 50000 %: the largest zoom, a long name cut
        QTimer::singleShot(0, w, [w, zoom] {
            auto* setup = w->findChild<Printformer*>();
            ASSERT_NE(setup, nullptr);
            setup->printerChosen(PdfPrinterName);
            setup->PxSize->setCurrentText(zoom);
            setup->Command1->click();
        });
        w->PrintAccounts_Click();
        EXPECT_EQ(run.PrintScale, 1.0f);
        std::string text;
        ASSERT_EQ(readPdfText((dir / "chart.pdf").string(), &text), 0) << text;
        for (const char* expected :
             {"Harbour Traders", "Folio Account Name Account Type", "100", "Cash at Bank",
              "Current Asset", "Balance b/f", "Other", "Discound Received", "840",
              *zoom == '1' ? "Accumulated Depreciation of Building and Equipment" : "Accumulated"})
            EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    w->closeWithoutCheck();
}

TEST_F(ChartWindowTest, MoveAsksAndMovesOnYesOnly) {
    book.EntryLines.resize(3);
    book.EntryIds.resize(3);
    book.EntryLines[0].AccountNumber = money("100");
    book.EntryLines[1].AccountNumber = money("100.1");
    book.EntryLines[2].AccountNumber = money("400");
    for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        SCOPED_TRACE(answer == MessageAnswer::Yes ? "Yes" : "No");
        auto* w = new MoveAccounts(book);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
        EXPECT_EQ(w->windowTitle(), "Move Account to Account");
        EXPECT_EQ(w->A1->count(), 14);
        w->A1->setCurrentText("Cash at Bank");
        w->A2->setCurrentText("Sales");
        fakes.messages.answers = {answer};
        w->Command1->click();
        ASSERT_FALSE(fakes.messages.shown.empty());
        EXPECT_EQ(fakes.messages.shown.back().text, "Move Account 100 to 400, Are you sure ?");
        EXPECT_EQ(fakes.messages.shown.back().title, "Accounts");
        settle();
        const Currency expected = money(answer == MessageAnswer::Yes ? "400" : "100");
        EXPECT_EQ(book.EntryLines[0].AccountNumber, expected);
        EXPECT_EQ(book.EntryLines[1].AccountNumber, money("100.1"));
    }
    // A name that is no account is refused and the window stays.
    MoveAccounts w(book);
    w.show();
    w.A1->setCurrentText("Sales");
    w.A2->setCurrentText("Nobody");
    w.Command1->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_NE(fakes.messages.lastText().find("Nobody"), std::string::npos);
    EXPECT_EQ(book.EntryLines[2].AccountNumber, money("400"));
}

} // namespace
