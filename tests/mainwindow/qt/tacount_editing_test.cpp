// Editing the journal through the main window itself: keys typed into its
// boxes, its buttons clicked, its shortcuts pressed, as a user would.
#include "mainwindow/qt/TAcount.h"

#include "accounts/qt/Find_Entry.h"
#include "book/book_file.h"
#include "book/tmain.h"
#include "book/typed_input.h"
#include "mainwindow/entry_test_books.h"
#include "mainwindow/qt/toolbar_strip.h"
#include "mainwindow/type_ahead.h"
#include "platform/fake/fake_services.h"
#include "support/test_paths.h"
#include "tests/mainwindow/qt/main_window_driving.h"
#include "toolkit/help_mode.h"
#include "toolkit/qt/CalanderForm.h"
#include "toolkit/qt/HC.h"
#include "toolkit/qt/TuvoVerticalScroll.h"
#include "toolkit/qt/dialog_driving.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace entry_books;
using main_window_driving::click;
using main_window_driving::DialogScript;
using main_window_driving::run;

namespace {

// Accounts 100 Cash, 110 Bank, 400 Sales, 600 Rent; entries 39, 40, 41 of
// two lines each (0-1, 2-3, 4-5) on three days, the last one on show; the
// window shown and active.
void openThreeEntries(TAcount& w) {
    fourAccounts(w.book());
    addThreeEntries(w.book());
    w.refillAccountBoxes();
    w.journalLengthChanged();
    w.show();
    QApplication::setActiveWindow(&w);
    w.activateWindow();
    QApplication::processEvents();
}

// Where the keyboard's keys go: to an open menu or list, if any, else to the focus.
QWidget* keyTarget() {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) return QApplication::focusWidget();
    return popup->focusWidget() ? popup->focusWidget() : popup;
}

// A key pressed and released where the keys go, shortcuts first (as QTest does).
void pressKey(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QWidget* to = keyTarget();
    ASSERT_NE(to, nullptr);
    if (qt_sendShortcutOverrideEvent(to, 0, key, mods, text)) return; // a shortcut took it
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    if (QWidget* at = keyTarget()) QApplication::sendEvent(at, &release);
}

void typeText(const QString& text) {
    for (QChar c : text)
        pressKey(c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

// Gives a box the focus and types over whatever it holds.
void typeInto(QWidget* box, const QString& text) {
    box->setFocus(Qt::MouseFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) edit->selectAll();
    if (auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget()))
        combo->lineEdit()->selectAll();
    typeText(text);
}

bool statusIsRed(TAcount& w) {
    return w.GL[7]->styleSheet().contains("#FF0000");
}

std::string status(TAcount& w) {
    return w.GL[7]->text().toStdString();
}

// The window of three entries for each test.
class TAcountEditing : public ::testing::Test {
  protected:
    TAcountEditing() { openThreeEntries(w); }
    ScopedFakeServices fakes;
    TAcount w;
};

} // namespace

TEST_F(TAcountEditing, ATypedFieldIsStoredOnEveryPathThatLeavesTheEntryOrTheBook) {
    // Refused at the administrator's gate: the field was stored before.
    const auto refusedByAdmin = [](Command command) {
        return [command](TAcount& w, ScopedFakeServices&) {
            w.book().AdminPassword = "boss";
            w.adminPasswordPrompt = [] { return std::optional<std::string>("guess"); };
            run(w, command);
        };
    };
    const struct Path {
        const char* what;
        std::function<void(TAcount&, ScopedFakeServices&)> leave;
        bool numberOnly = false; // leaves the entry only from a number or amount box
    } paths[] = {
        {"close box",
         [](TAcount& w, ScopedFakeServices& f) {
             f.messages.answers.push_back(MessageAnswer::No);
             w.close();
         }},
        // The window then goes (at the end of the row) with the search box in
        // use, which asks the main window how much it takes until it is gone.
        {"Ctrl+F, then the close box",
         [](TAcount& w, ScopedFakeServices& f) {
             w.DebitAccName[0]->hidePopup();
             pressKey(Qt::Key_F, Qt::ControlModifier);
             f.messages.answers.push_back(MessageAnswer::No);
             w.close();
             auto* search = qobject_cast<Find_Entry*>(w.searchWindow.data());
             ASSERT_TRUE(search && search->isVisible());
             QApplication::setActiveWindow(search);
             search->Text1->setFocus();
         }},
        {"Exit",
         [](TAcount& w, ScopedFakeServices& f) {
             f.messages.answers.push_back(MessageAnswer::No);
             run(w, Command::Exitit);
         }},
        {"Ctrl+Q",
         [](TAcount& w, ScopedFakeServices& f) {
             f.messages.answers.push_back(MessageAnswer::No);
             w.DebitAccName[0]->hidePopup(); // the shortcut is the window's, not the list's
             pressKey(Qt::Key_Q, Qt::ControlModifier);
         }},
        {"previous arrow", [](TAcount& w, ScopedFakeServices&) { click(w.ButtonBar->PNPage[0]); }},
        {"scroller", [](TAcount& w, ScopedFakeServices&) { w.ScrollAcc->setValue(0); }},
        {"Up", [](TAcount&, ScopedFakeServices&) { pressKey(Qt::Key_Up); }, true},
        {"Open",
         [](TAcount& w, ScopedFakeServices& f) {
             f.messages.answers.push_back(MessageAnswer::Cancel); // keep the changed book
             DialogScript script;
             script.cancel();
             run(w, Command::LoadFile);
         }},
        {"Insert",
         [](TAcount& w, ScopedFakeServices&) {
             DialogScript script;
             script.cancel();
             run(w, Command::InsertEntries);
         }},
        {"carry-forward", refusedByAdmin(Command::BroughtForward)},
        {"roll-over", refusedByAdmin(Command::RollOver)},
    };
    const double newYearsEve = Tmain::DayNumber(2024, 12, 31);
    for (const Path& path : paths) {
        for (const char* typed : {"R", "12/31/2024", "99/99/99", "55,55", "400/7"}) {
            const bool amount = typed[0] == '5', folio = typed[0] == '4';
            if (path.numberOnly && !amount && !folio) continue;
            SCOPED_TRACE(std::string(path.what) + ", " + typed + " typed");
            const bool date = !amount && !folio && typed[0] != 'R', invalid = typed[0] == '9';
            ScopedFakeServices fakes; // a window of its own for each path
            TAcount w;
            openThreeEntries(w);
            w.setBookChanged(false);
            ASSERT_EQ(w.entryModel().bounds(), (EntryBounds{4, 5}));
            // An invalid date is told once, though its message takes the focus.
            QLineEdit* number = amount ? w.DebitAmountText[0] : w.DebitFolio[0];
            QWidget* const boxes[] = {w.DebitAccName[0], w.Datetext->textBox(), number};
            typeInto(boxes[amount || folio ? 2 : date], typed);
            if (date) pressKey(Qt::Key_Return);
            if (amount || folio) fakes.messages.answers.push_back(MessageAnswer::Ok);
            fakes.messages.whileShown = [&w] { w.AccNote->setFocus(); };
            EXPECT_EQ(w.BookChanged(), amount || folio);
            path.leave(w, fakes);
            const std::string notice = amount  ? "\"55,55\" : Not a valid amount"
                                       : folio ? "\"400/7\" : Not an account number, 400 kept"
                                               : "Invalid Date";
            EXPECT_EQ(
                std::ranges::count(fakes.messages.shown, notice, &ScriptedMessageBox::Shown::text),
                invalid || amount || folio ? 1 : 0);
            if (amount)
                EXPECT_EQ(w.book().EntryLines[4].Amount, money(55));
            else if (date)
                EXPECT_EQ(w.book().EntryLines[4].Date, invalid ? todayNumber() : newYearsEve);
            else
                EXPECT_EQ(w.book().EntryLines[4].AccountNumber, money(folio ? 400 : 600));
            if (w.entryModel().bounds() == EntryBounds{4, 5} && (amount || folio)) {
                EXPECT_EQ(number->text(), amount ? "55" : "400");
            }
            EXPECT_TRUE(w.BookChanged());
            EXPECT_EQ(w.book().EntryLines[2].AccountNumber, money(600)); // no other entry took it
            EXPECT_EQ(w.book().EntryLines[2].Date, AnyDay + 1);
        }
    }
}

TEST_F(TAcountEditing, TheBalancingButtonSitsBesideTheAddLineButtonOnTheFirstNewEntry) {
    click(w.Command1); // the first new entry of the session
    typeInto(w.DebitAmountText[0], "5");
    ASSERT_TRUE(w.CalcCompound->isVisible());
    const QLabel* add = w.CompoundEntry[1];
    EXPECT_EQ(add->size(), add->pixmap().size());
    EXPECT_EQ(w.CalcCompound->size(), w.CalcCompound->pixmap().size());
    EXPECT_EQ(w.CalcCompound->x(), add->x() + add->width() + 2); // 30 twips apart
    EXPECT_EQ(w.CalcCompound->y(), add->y());
}

TEST_F(TAcountEditing, AmountBoxRefusesLettersAndPastedNegativesKeepingTheStoredAmount) {
    const int line = w.debitRowLine(0);
    QLineEdit* amount = w.DebitAmountText[0];

    typeInto(amount, "12a5");
    EXPECT_EQ(amount->text(), "125");
    EXPECT_EQ(w.book().EntryLines[line].Amount, money(125));
    EXPECT_EQ(status(w), "Debit : 125.00     Credit : 30.00     Balance : 95.00  ");
    EXPECT_TRUE(statusIsRed(w));
    typeText("x"); // a key refused is told at once
    EXPECT_EQ(status(w), "\"x\" : Not an amount: type digits, \".\" and \",\" only");
    EXPECT_TRUE(statusIsRed(w));
    EXPECT_TRUE(w.BookChanged());

    // Pasted over the whole box: a sign, parentheses or letters never get in.
    for (const char* pasted : {"-50", "(50)", "5O", "12345678901234567890"}) {
        QGuiApplication::clipboard()->setText(pasted);
        amount->selectAll();
        pressKey(Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(amount->text(), "125") << pasted;
        EXPECT_EQ(w.book().EntryLines[line].Amount, money(125)) << pasted;
        EXPECT_NE(status(w).find("Not an amount"), std::string::npos) << pasted;
        EXPECT_TRUE(statusIsRed(w));
    }
    // A digit typed over or beside one that would pass the largest amount is refused.
    for (const bool over : {true, false}) {
        typeInto(amount, "922,337,203,685,477.58");
        amount->setCursorPosition(amount->text().indexOf('.'));
        if (over) amount->cursorBackward(true);
        typeText("8");
        EXPECT_EQ(amount->text(), "922,337,203,685,477.58") << over;
        EXPECT_EQ(w.book().EntryLines[line].Amount, Currency::fromRaw(9223372036854775800)) << over;
    }
    // A grouped amount pasted is taken whole; equal sides say so in black.
    QGuiApplication::clipboard()->setText("1,250.50");
    amount->selectAll();
    pressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.book().EntryLines[line].Amount, Currency::fromRaw(12505000));
    typeInto(w.CreditAmountText[0], "1250.5");
    EXPECT_EQ(status(w), "Debit : 1,250.50     Credit : 1,250.50");
    EXPECT_FALSE(statusIsRed(w));
    // An emptied box stores 0.
    typeInto(amount, "");
    amount->setFocus();
    amount->selectAll();
    pressKey(Qt::Key_Backspace);
    EXPECT_EQ(w.book().EntryLines[line].Amount, Currency());

    // An amount below zero (pasted, or from a book file) shows with its sign;
    // the focus passing through its box and the keys it refuses keep it.
    const int credit = w.creditRowLine(0);
    w.book().EntryLines[credit].Amount = -money(50);
    w.showJournalLine(credit);
    QLineEdit* below = w.CreditAmountText[0];
    EXPECT_EQ(below->text(), "-50");
    below->setFocus(Qt::MouseFocusReason);
    below->end(false);
    for (const int key : {int(Qt::Key_1), int(Qt::Key_Backspace)}) {
        pressKey(key, Qt::NoModifier, key == Qt::Key_1 ? "1" : "");
        EXPECT_EQ(below->text(), "-50") << key;
    }
    amount->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(w.book().EntryLines[credit].Amount, -money(50));
    EXPECT_EQ(below->text(), "-50");
    // Numbers typed with the locale's decimal mark; a box left shows what it keeps as every place
    // shows it, and an amount in the other notation, left, shows the amount kept and says why. A
    // "." or "," that is neither mark of the locale types the decimal mark; any other key refused
    // is told at once, the box as it was.
    const LocaleInfo hungarian = dialog_driving::hungarianMarks(), us = monthFirstLocale(),
                     de = decimalCommaLocale();
    const Currency seven = Currency::fromRaw(75000), date = Currency::fromRaw(311200);
    const std::string dateTold = "\"31.12.2024\" : Not an account number, 31,12 kept";
    // Locale, amount box (else the account number box), typed, shown when left, kept, told.
    const std::tuple<LocaleInfo, bool, std::string, std::string, Currency, std::string> keys[] = {
        {us, false, "0.0001", "0.0001", Currency::fromRaw(1), ""},
        {de, false, "0,0001", "0,0001", Currency::fromRaw(1), ""},
        {hungarian, false, "100.1", "100,1", Currency::fromRaw(1001000), ""},
        {us, true, "1,250.50", "1250.5", Currency::fromRaw(12505000), ""},
        {us, true, "55,55", "55", money(55), "\"55,55\" : Not a valid amount"},
        {de, true, "55.55", "55", money(55), "\"55.55\" : Not a valid amount"},
        {us, true, "7.5", "7.5", seven, ""},
        {de, true, "7,5", "7,5", seven, ""},
        {hungarian, true, "7.5", "7,5", seven, ""},
        {hungarian, true, "7,5.", "7,5", seven, "\"7,5,\" : Not a valid amount"},
        {us, false, "4a00", "400", money(400),
         "\"a\" : Not an account number: type digits, \"-\" and \".\" only"},
        {hungarian, false, "31.12.2024", "31,12", date, dateTold},
        {de, false, "31.12.2024", "31,12", date, dateTold}};
    for (const auto& [locale, amount, typed, left, kept, told] : keys) {
        ScopedFakeServices local(locale);
        TAcount v;
        openThreeEntries(v);
        QLineEdit* box = amount ? v.DebitAmountText[0] : v.DebitFolio[0];
        typeInto(box, QString::fromStdString(typed));
        const std::string atOnce = status(v);
        v.AccNote->setFocus(); // what leaving tells, else what typing told
        std::string said = status(v);
        for (const std::string& earlier : {atOnce, std::string()})
            if (said.find(" : Not ") == std::string::npos) said = earlier;
        const EntryLine& line = v.book().EntryLines[v.debitRowLine(0)];
        EXPECT_EQ(std::tuple(box->text().toStdString(), amount ? line.Amount : line.AccountNumber,
                             said, said.empty() || statusIsRed(v), local.messages.texts()),
                  std::tuple(left, kept, told, true, std::vector<std::string>{})) // in red alone
            << locale.name << " " << typed;
    }
}

TEST_F(TAcountEditing, EachBoxTakesEveryCharacterItsFilterAllowsAndCtrlASelectsAll) {
    const LocaleInfo locale = currentLocale();
    const auto named = [](QChar c) { // the names of accounts it completes
        return typeAheadMatch({"Cash", "Bank", "Sales", "Rent"}, QString(c).toStdString()) >= 0;
    };
    const std::pair<QWidget*, std::function<bool(QChar)>> boxes[] = {
        {w.AccNote, {}},
        {w.JournalID, {}},
        {w.Text1, {}},
        {w.DebitAccName[0], named},
        {w.DebitFolio[0],
         [&](QChar c) { return folioKeyAllowed(c.unicode(), locale.decimalMark); }},
        {w.CreditAmountText[0],
         [&](QChar c) { return amountKeyAllowed(QString(c).toStdString(), marksOf(locale)); }},
        {w.Datetext->textBox(), [&](QChar c) { return dateKeyAllowed(c.unicode(), locale); }}};
    for (const auto& [box, allowed] : boxes)
        EXPECT_EQ(dialog_driving::charactersMistaken(box, allowed), "");
    // Ctrl+A selects the whole date, so the one typed next replaces it.
    w.Datetext->setText("3/17/2023");
    pressKey(Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
    typeText("12/8/26");
    EXPECT_EQ(w.Datetext->Text(), "12/8/26");
    // The reference and go-to boxes take no character whose bytes would not fit the reference's
    // 14, typed or pasted, and show every letter in capitals: what the entry keeps.
    for (const LocaleInfo& locale : dialog_driving::typingLocales()) {
        ScopedFakeServices local(locale);
        TAcount v;
        openThreeEntries(v);
        const std::pair<std::string, std::string> shown{"ÜBERWEISUNG-1", "ÉÜŐŘ€£ "};
        for (QLineEdit* box : {v.JournalID, v.Text1})
            EXPECT_EQ(dialog_driving::typedThenPasted(box, "Überweisung-Ä1", "éüőř€£ Ünal"), shown)
                << locale.name;
        EXPECT_EQ(v.book().EntryIds[v.run().CurrentFirstLine].raw(), "ÉÜŐŘ€£ ");
    }
}

TEST_F(TAcountEditing, NewCopyPasteAndDeleteRunFromTheirShortcutsInAnyField) {
    w.setBookChanged(false);

    // Ctrl+N with the focus in the note box.
    w.AccNote->setFocus();
    pressKey(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(w.book().LastEntryLine(), 7);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{6, 7}));
    EXPECT_EQ(w.book().EntryIds[6].shown(), "42");
    EXPECT_EQ(w.book().EntryIds[7].shown(), "42");
    EXPECT_EQ(w.book().EntryLines[6].Date, 45002); // the date box's date
    EXPECT_EQ(w.JournalID->text(), "42");
    EXPECT_EQ(QApplication::focusWidget(), w.JournalID);
    EXPECT_FALSE(w.CompoundEntry[1]->isHidden());
    EXPECT_FALSE(w.CompoundEntry[2]->isHidden());
    EXPECT_EQ(status(w), "The Accounts are balanced");
    EXPECT_EQ(w.ScrollAcc->ValueMax(), 7);
    EXPECT_TRUE(w.BookChanged());

    typeInto(w.DebitFolio[0], "100");
    EXPECT_EQ(w.DebitAccName[0]->currentText(), "Cash");
    typeInto(w.CreditFolio[0], "400");
    typeInto(w.DebitAmountText[0], "250");
    typeInto(w.CreditAmountText[0], "250");
    typeInto(w.AccNote, "Sale");

    // Ctrl+W from the reference box, Ctrl+E from an amount box.
    w.JournalID->setFocus();
    pressKey(Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(fakes.clipboard.plain, "100\t\tCash\t250\t\r\n\t400\tSales\t250\tSale\r\nLW");
    w.DebitAmountText[0]->setFocus();
    pressKey(Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(w.book().LastEntryLine(), 9);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{8, 9}));
    EXPECT_EQ(w.book().EntryIds[8].shown(), "43");
    EXPECT_EQ(w.book().EntryIds[9].shown(), "43");
    EXPECT_EQ(w.book().EntryLines[9].Details, "Sale");
    EXPECT_EQ(w.book().EntryLines[8].Date, 46000);
    EXPECT_EQ(w.DebitAmountText[0]->text(), "250");
    EXPECT_EQ(w.ScrollAcc->ValueMax(), 9);
    // The toolbar's copy and paste buttons run the same commands.
    fakes.clipboard.plain.clear();
    click(w.ButtonBar->CalcButton[2]);
    EXPECT_EQ(fakes.clipboard.plain, "100\t\tCash\t250\t\r\n\t400\tSales\t250\tSale\r\nLW");
    click(w.ButtonBar->CalcButton[3]);
    ASSERT_EQ(w.book().LastEntryLine(), 11);
    EXPECT_EQ(w.book().EntryIds[10].shown(), "44");

    // Ctrl+D skips the menu's confirmation, so it asks: No keeps the entry.
    w.JournalID->setFocus();
    fakes.messages.answers.push_back(MessageAnswer::No);
    pressKey(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(fakes.messages.lastText(), "Are you sure ?");
    EXPECT_EQ(w.book().LastEntryLine(), 11);
    fakes.messages.answers.push_back(MessageAnswer::Yes);
    const int revision = w.run().JournalRevision;
    pressKey(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(w.book().LastEntryLine(), 9);
    EXPECT_EQ(w.run().JournalRevision, revision + 1);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{8, 9})); // the new last entry
    EXPECT_EQ(w.ScrollAcc->ValueMax(), 9);
    // The menu item is its own confirmation.
    const std::size_t asked = fakes.messages.shown.size();
    w.ScrollAcc->setValue(2);
    w.action(Command::DeleteEntry)->trigger();
    EXPECT_EQ(fakes.messages.shown.size(), asked);
    EXPECT_EQ(w.book().LastEntryLine(), 7);
    EXPECT_EQ(w.book().EntryIds[2].shown(), "41"); // the entry that followed is shown
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{2, 3}));
    EXPECT_EQ(w.JournalID->text(), "41");
}

TEST_F(TAcountEditing, AnEntryEditedInTheWindowIsSavedAndReopenedUnchanged) {
    testing_support::TempDir dir;
    w.setBookChanged(false);
    click(w.Command1);
    ASSERT_EQ(w.entryModel().bounds(), (EntryBounds{6, 7}));

    // The date typed and left: every line of the entry.
    typeInto(w.Datetext->textBox(), "12/31/2024");
    w.JournalID->setFocus();
    const double newYearsEve = *Tmain::ParseDateStyle("12/31/2024", 0, currentLocale());
    EXPECT_EQ(w.book().EntryLines[6].Date, newYearsEve);
    EXPECT_EQ(w.book().EntryLines[7].Date, newYearsEve);
    // The reference in upper case on every line.
    typeInto(w.JournalID, "inv-7");
    EXPECT_EQ(w.JournalID->text(), "INV-7");
    EXPECT_EQ(w.JournalID->cursorPosition(), 5);
    EXPECT_EQ(w.book().EntryIds[6].raw(), "INV-7         ");
    EXPECT_EQ(w.book().EntryIds[7].raw(), "INV-7         ");
    // The debit account by name (type-ahead completes it), the credit by number.
    typeInto(w.DebitAccName[0], "R");
    EXPECT_EQ(w.DebitAccName[0]->currentText(), "Rent");
    pressKey(Qt::Key_Return); // taken from the dropped-down list
    EXPECT_EQ(w.book().EntryLines[6].AccountNumber, money(600));
    EXPECT_EQ(w.DebitFolio[0]->text(), "600");
    EXPECT_EQ(status(w), "Debit Rent");
    typeInto(w.CreditFolio[0], "999");
    EXPECT_EQ(w.CreditAccName[0]->currentText(), "");
    w.AccNote->setFocus();
    EXPECT_EQ(status(w), "999 : This account does not exists...");
    typeInto(w.CreditFolio[0], "110");
    EXPECT_EQ(w.CreditAccName[0]->currentText(), "Bank");
    // A second debit line; its amount box takes the focus.
    typeInto(w.DebitAmountText[0], "75");
    click(w.CompoundEntry[1]);
    ASSERT_EQ(w.book().LastEntryLine(), 8);
    EXPECT_EQ(QApplication::focusWidget(), w.DebitAmountText[1]);
    typeText("25");
    typeInto(w.DebitFolio[1], "100");
    // The balancing button fills the single credit line with the debit total.
    ASSERT_FALSE(w.CalcCompound->isHidden());
    click(w.CalcCompound);
    EXPECT_EQ(w.CreditAmountText[0]->text(), "100");
    EXPECT_EQ(QApplication::focusWidget(), w.CreditAmountText[0]);
    EXPECT_FALSE(statusIsRed(w));
    typeInto(w.AccNote, "Rent paid");
    click(w.Reconcile[0]);
    EXPECT_FALSE(w.Reconcile[1]->isHidden());

    const std::vector<EntryLine> edited = w.book().EntryLines;
    ASSERT_EQ(edited.size(), 9u);
    EXPECT_EQ(edited[6].Side, Debit);
    EXPECT_EQ(edited[7].Side, Debit);
    EXPECT_EQ(edited[7].Amount, money(25));
    EXPECT_EQ(edited[8].Side, Credit);
    EXPECT_EQ(edited[8].Amount, money(100));
    EXPECT_EQ(edited[8].Details, "Rent paid");
    EXPECT_EQ(edited[6].Details, "");
    EXPECT_EQ(edited[8].Reconciled, 1);
    EXPECT_TRUE(w.BookChanged());

    const std::string path = (dir / "edited.acc").string();
    ASSERT_TRUE(writeBookFile(path, w.book(), nullptr).ok());
    TAcount reopened(path);
    reopened.show();
    reopened.openCommandLineBook();
    EXPECT_EQ(reopened.book().EntryLines, edited);
    EXPECT_EQ(reopened.book().EntryIds, w.book().EntryIds);
    EXPECT_FALSE(reopened.BookChanged());
    // It opens at the edited entry, shown as it was typed.
    EXPECT_EQ(reopened.entryModel().bounds(), (EntryBounds{6, 8}));
    EXPECT_EQ(reopened.JournalID->text(), "INV-7");
    EXPECT_EQ(reopened.Datetext->Text(), w.Datetext->Text());
    EXPECT_EQ(reopened.DebitAccName[0]->currentText(), "Rent");
    EXPECT_EQ(reopened.DebitAmountText[1]->text(), "25");
    EXPECT_EQ(reopened.CreditAmountText[0]->text(), "100");
    EXPECT_EQ(reopened.AccNote->text(), "Rent paid");
    EXPECT_FALSE(reopened.Reconcile[1]->isHidden());
}

TEST_F(TAcountEditing, ArrowKeysInTheFieldsStepOneEntryAndCommitATypedDateFirst) {
    ASSERT_EQ(w.entryModel().bounds(), (EntryBounds{4, 5}));

    // One entry per key, however the key travels through the window.
    w.AccNote->setFocus();
    pressKey(Qt::Key_Up);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{2, 3}));
    w.DebitFolio[0]->setFocus();
    pressKey(Qt::Key_Down);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{4, 5}));
    pressKey(Qt::Key_Down); // the last entry shows itself again
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{4, 5}));
    w.ScrollAcc->setFocus();
    pressKey(Qt::Key_Up);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{2, 3}));

    // Up in the date box stores the typed date in every line, then moves.
    typeInto(w.Datetext->textBox(), "1/15/2025");
    pressKey(Qt::Key_Up);
    const double jan15 = *Tmain::ParseDateStyle("1/15/2025", 0, currentLocale());
    EXPECT_EQ(w.book().EntryLines[2].Date, jan15);
    EXPECT_EQ(w.book().EntryLines[3].Date, jan15);
    EXPECT_EQ(w.entryModel().bounds(), (EntryBounds{0, 1}));
    EXPECT_EQ(w.book().EntryLines[0].Date, 45000);
    // The date box takes digits and separators only.
    typeInto(w.Datetext->textBox(), "ab1/2x/2025");
    EXPECT_EQ(w.Datetext->Text(), "1/2/2025");

    // PageDown gives the reference box the focus; Left stays in an account box.
    w.AccNote->setFocus();
    pressKey(Qt::Key_PageDown);
    EXPECT_EQ(QApplication::focusWidget(), w.JournalID);
    typeInto(w.DebitAccName[0], "Ba");
    w.DebitAccName[0]->lineEdit()->setCursorPosition(2);
    pressKey(Qt::Key_Left);
    EXPECT_EQ(w.DebitAccName[0]->lineEdit()->cursorPosition(), 2);
}

TEST_F(TAcountEditing, AddedLinesScrollThePanelToTheNewAmountBoxUpToThirtyASide) {
    w.resize(w.minimumSize());
    QApplication::processEvents();
    click(w.Command1);
    for (int added = 1; added < 30; ++added) {
        click(w.CompoundEntry[1]);
        QLineEdit* box = w.DebitAmountText[added];
        ASSERT_EQ(QApplication::focusWidget(), box) << added;
        // The new row lies inside the panel, where it can be typed in.
        const QRect inPanel(box->mapTo(w.eBox, QPoint(0, 0)), box->size());
        EXPECT_TRUE(w.eBox->rect().contains(inPanel)) << added;
    }
    EXPECT_FALSE(w.EScroll->isHidden());
    EXPECT_GT(w.PanelOffset, 0);
    EXPECT_EQ(w.PanelOffset, w.EScroll->Value());
    EXPECT_TRUE(w.CompoundEntry[1]->isHidden()); // the side holds its 30 lines
    click(w.CompoundEntry[2]);
    const Book& b = w.book();
    ASSERT_EQ(b.LastEntryLine(), 6 + 30 + 2 - 1);
    for (int i = 6; i < 36; ++i)
        EXPECT_EQ(b.EntryLines[i].Side, Debit) << i;
    EXPECT_EQ(b.EntryLines[36].Side, Credit);
    EXPECT_EQ(b.EntryLines[37].Side, Credit);
    EXPECT_EQ(b.EntryLines[36].Details, "");
    EXPECT_EQ(b.EntryLines[37].Details, "_");
    EXPECT_EQ(QApplication::focusWidget(), w.CreditAmountText[1]);
    EXPECT_EQ(w.CELablel->text(), "Entry 4 - 19");
    // Another entry shown: lines are added only to the newest one.
    w.ScrollAcc->setValue(0);
    EXPECT_TRUE(w.CompoundEntry[1]->isHidden());
    EXPECT_TRUE(w.EScroll->isHidden());
    EXPECT_EQ(w.EScroll->Value(), 0);
    EXPECT_EQ(w.PanelOffset, 0);
}

TEST_F(TAcountEditing, ADayPickedInTheMonthPanelDatesTheWholeEntry) {
    w.setBookChanged(false);
    // The face opens the month panel over the window's other controls.
    click(w.Datetext, QPoint(95, 10));
    ASSERT_TRUE(w.Datetext->isOpen());
    QWidget* panel = w.Datetext->panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->parentWidget(), &w);
    EXPECT_TRUE(panel->isVisible());
    // The panel shows the entry's month (45002 is 17 March 2023); pick the 20th.
    int cell = -1;
    for (int n = 0; n < 42; ++n)
        if (w.Datetext->logic().cells()[n].day == 20) cell = n;
    ASSERT_GE(cell, 0);
    const QPoint at(32 * (cell % 7) + 16, 37 + 16 * (cell / 7) + 8);
    click(panel, at);
    EXPECT_FALSE(w.Datetext->isOpen());
    EXPECT_EQ(w.book().EntryLines[4].Date, 45005);
    EXPECT_EQ(w.book().EntryLines[5].Date, 45005);
    EXPECT_EQ(w.Datetext->Text(), "3/20/2023");
    EXPECT_EQ(w.run().DateChangedFlag, 0);
    EXPECT_TRUE(w.BookChanged());
    // Under a two-digit-year style it opens on the entry's own day, also past 2045.
    w.book().DateStyle = 1;
    w.book().EntryLines[4].Date = w.book().EntryLines[5].Date = Tmain::DayNumber(2046, 12, 31);
    w.showDateInBookStyle();
    click(w.Datetext, QPoint(95, 10));
    EXPECT_EQ(w.Datetext->TheDate(), Tmain::DayNumber(2046, 12, 31));
}

TEST_F(TAcountEditing, HelpModeShowsTheFieldsHelpInsteadOfActing) {
    helpMode().start();
    click(w.Reconcile[0]);
    EXPECT_EQ(w.HC->title(), "Reconcile");
    EXPECT_EQ(w.book().EntryLines[4].Reconciled, 0);
    w.CreditAmountText[0]->setFocus();
    EXPECT_EQ(w.HC->title(), "Amount");
    click(w.Command1);
    EXPECT_EQ(w.HC->title(), "New Entry");
    EXPECT_EQ(w.book().LastEntryLine(), 5);
    w.ScrollAcc->setFocus();
    EXPECT_EQ(w.HC->title(), "Entry Scroller");
    helpMode().end();

    // Out of help mode the mark checks the entry off and on again.
    click(w.Reconcile[0]);
    EXPECT_EQ(w.book().EntryLines[4].Reconciled, 1);
    EXPECT_EQ(w.book().EntryLines[5].Reconciled, 1);
    EXPECT_FALSE(w.Reconcile[1]->isHidden());
    click(w.Reconcile[1]);
    EXPECT_EQ(w.book().EntryLines[4].Reconciled, 0);
    EXPECT_TRUE(w.Reconcile[1]->isHidden());
}

TEST(TAcountTyping, AnEntryTypedByKeysAndSavedFromTheMenuTellsNothingAndIsSavedAsShown) {
    // The menu's Save by Alt and its letter, by Alt and the arrows, and by the mouse.
    const std::function<void(TAcount&)> saves[] = {
        [](TAcount&) {
            pressKey(Qt::Key_F, Qt::AltModifier, "f");
            pressKey(Qt::Key_Down);
            pressKey(Qt::Key_Return, Qt::NoModifier, "\r");
        },
        [](TAcount&) {
            for (int key : {Qt::Key_Alt, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
                pressKey(key, key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
        },
        [](TAcount& v) {
            QMenuBar* bar = v.menuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              bar->actionGeometry(bar->actions()[0]).center());
            auto* file = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(file, nullptr);
            QTest::mouseClick(file, Qt::LeftButton, {},
                              file->actionGeometry(v.action(Command::SaveFile)).center());
        }};
    const double jan15 = Tmain::DayNumber(2025, 1, 15);
    for (const LocaleInfo& locale : dialog_driving::typingLocales()) {
        for (std::size_t way = 0; way < std::size(saves); ++way) {
            SCOPED_TRACE(locale.name + ", Save chosen in way " + std::to_string(way));
            testing_support::TempDir dir;
            ScopedFakeServices fakes(locale);
            TAcount v;
            openThreeEntries(v);
            DialogScript script; // the book in a file of its own
            script.pick(dir / "typed.acc");
            run(v, Command::SaveFileAs);
            QApplication::setActiveWindow(&v);
            pressKey(Qt::Key_N, Qt::ControlModifier);
            ASSERT_EQ(QApplication::focusWidget(), v.JournalID);
            pressKey(Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
            typeText("inv-7");
            const auto typeDate = [&](double day) { // clicked, in the book's style without blanks
                QTest::mouseClick(v.Datetext->textBox(), Qt::LeftButton);
                pressKey(Qt::Key_A, Qt::ControlModifier, QString(QChar(1)));
                typeText(
                    QString::fromStdString(Tmain::FormatDateStyle(day, v.book().DateStyle, locale))
                        .remove(' '));
            };
            typeDate(Tmain::DayNumber(2024, 12, 31));
            for (const char* typed : {"100", "", "250", "400", "", "250", "Sale"}) {
                pressKey(Qt::Key_Tab); // through every box of the entry line
                typeText(typed);
            }
            typeDate(jan15); // the menu chosen while the date is being typed in
            saves[way](v);
            EXPECT_EQ(fakes.messages.texts(), std::vector<std::string>{});
            EXPECT_FALSE(v.BookChanged());
            const BookReadResult saved = readBookFile((dir / "typed.acc").string(), {}, nullptr);
            ASSERT_TRUE(saved.ok());
            ASSERT_EQ(std::vector(saved.book.EntryLines.begin() + 6, saved.book.EntryLines.end()),
                      (std::vector<EntryLine>{{jan15, Debit, money(100), money(250), ""},
                                              {jan15, Credit, money(400), money(250), "Sale"}}));
            EXPECT_EQ(saved.book.EntryIds[7].shown(), "INV-7");
        }
    }
}
