#include "book/account_number_text.h"
#include "mainwindow/entry_input.h"
#include "mainwindow/entry_test_books.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace entry_books;
using V = std::vector<std::string>;

namespace {

// A plain entry (lines 0-1) and a compound one of two debits (2-4), shown.
Book compoundAfterPlain() {
    Book b = chartOnly();
    addLine(b, Debit, money(100), money(10), "", "1");
    addLine(b, Credit, money(400), money(10), "Plain", "1");
    addLine(b, Debit, money(600), money(20), "", "2");
    addLine(b, Debit, money(110), money(5), "", "2");
    addLine(b, Credit, money(100), money(25), "Split", "2");
    return b;
}

} // namespace

TEST(EntryDate, CommitIntoEveryLineOrTodayWithAMessage) {
    Desk d(compoundAfterPlain());
    d.book.DateStyle = 2;
    const double newYearsEve = Tmain::DayNumber(2024, 12, 31);
    EntryOutcome out = d.editor.commitDate("31/12/2024");
    EXPECT_EQ(d.dates(),
              (std::vector<double>{AnyDay, AnyDay, newYearsEve, newYearsEve, newYearsEve}));
    EXPECT_EQ(out.dateText, "31/12/2024");
    EXPECT_TRUE(out.changed && d.run.BookChanged);
    EXPECT_EQ(out.message, std::nullopt); // a day read tells nothing

    for (const char* bad : {"abc", "31/02/2024", ""}) {
        d.line(2).Date = d.line(4).Date = AnyDay;
        out = d.editor.commitDate(bad);
        EXPECT_EQ(out.message, "Invalid Date");
        EXPECT_EQ(d.dates(2), (std::vector<double>{Today, Today, Today})) << bad;
        EXPECT_EQ(out.dateText, "09/12/2025");
    }

    // Leaving the box untouched keeps the stored day, even where a two-digit
    // year would read back in another century, and is no change.
    d.book.DateStyle = 1;
    d.line(2).Date = d.line(3).Date = d.line(4).Date = Tmain::DayNumber(1925, 6, 1);
    d.run.BookChanged = false;
    out = d.editor.commitDate("01/06/25");
    EXPECT_EQ(d.line(3).Date, Tmain::DayNumber(1925, 6, 1));
    EXPECT_FALSE(out.changed || d.run.BookChanged || out.message);
}

TEST(EntryDate, UpAndDownCommitTheWholeEntryThenMove) {
    Desk d(threeEntries());
    d.book.DateStyle = 2;
    d.show(2);
    EntryOutcome out = d.editor.dateKey(EntryKey::Down, "01/02/2024");
    const double feb1 = Tmain::DayNumber(2024, 2, 1);
    EXPECT_EQ(d.dates(2), (std::vector<double>{feb1, feb1, AnyDay + 2, AnyDay + 2}));
    EXPECT_EQ(out.showLine, 4);
    EXPECT_EQ(d.run.CurrentFirstLine, 4);
    EXPECT_EQ(out.dateText, d.model.dateText());

    EXPECT_EQ(d.editor.dateKey(EntryKey::Up, "99/99/9999").message, "Invalid Date");
    EXPECT_EQ(d.dates(4), (std::vector<double>{Today, Today}));
    EXPECT_EQ(d.run.CurrentFirstLine, 2);

    d.show(0);
    EXPECT_EQ(d.editor.dateKey(EntryKey::Up, d.model.dateText()).showLine, 0);
    EXPECT_FALSE(d.editor.dateKey(EntryKey::Other, "x").showLine);
}

TEST(EntryReference, UpperCaseFourteenCharactersIntoEveryLine) {
    Desk d(compoundAfterPlain());
    EXPECT_EQ(d.editor.referenceEdited("inv-7").referenceText, "INV-7");
    EXPECT_EQ(d.ref(1), "1             ");
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(d.ref(i), "INV-7         ") << i;
    EXPECT_TRUE(d.run.BookChanged);
    d.editor.referenceEdited("abcdefghijklmnopq");
    EXPECT_EQ(d.ref(3), "ABCDEFGHIJKLMN");
    // Accented letters too; a cut never splits a character.
    EXPECT_EQ(d.editor.referenceEdited("café").referenceText, "CAFÉ");
    d.editor.referenceEdited("abcdefghijklmé");
    EXPECT_EQ(d.ref(2), "ABCDEFGHIJKLM ");
    // Every letter the case table knows ("ß" and "ı" have no capital that
    // folds back), within 14 bytes where a capital takes more than its letter.
    EXPECT_EQ(upperCaseReference("÷ÿőřжßı"), "÷ŸŐŘЖßı");
    EXPECT_EQ(upperCaseReference("ɐɐɐɐɐɐɐ"), "ⱯⱯⱯⱯ");
}

TEST(EntryAccounts, TypedNumbersAndChosenNames) {
    Desk d(threeEntries());
    d.book.SubAccountDash = -1;
    EXPECT_EQ(d.editor.folioTyped(EntrySide::Debit, 0, "100-1").nameText, "Petty cash");
    EXPECT_EQ(d.line(4).AccountNumber, Currency::fromRaw(1001000));
    EXPECT_TRUE(d.run.BookChanged);
    EXPECT_FALSE(d.editor.folioLeft(EntrySide::Debit, 0, "100-1").status);

    // An unknown number is stored, its name is empty, and leaving says so.
    EXPECT_EQ(d.editor.folioTyped(EntrySide::Credit, 0, "999").nameText, "");
    EXPECT_EQ(d.line(5).AccountNumber, money(999));
    EntryOutcome out = d.editor.folioLeft(EntrySide::Credit, 0, "999");
    EXPECT_EQ(out.status->text, "999 : This account does not exists...");
    EXPECT_EQ(out.status->colour, StatusColour::Red);
    // Empty is account 0 and quiet; beyond the currency's range is refused.
    d.editor.folioTyped(EntrySide::Credit, 0, "");
    EXPECT_FALSE(d.editor.folioLeft(EntrySide::Credit, 0, "").status);
    out = d.editor.folioTyped(EntrySide::Credit, 0, "99999999999999999999");
    EXPECT_EQ(out.status->colour, StatusColour::Red);
    EXPECT_TRUE(d.line(5).AccountNumber.isZero());
    // Left, the box shows the number kept and says why.
    out = d.editor.folioLeft(EntrySide::Credit, 0, "99999999999999999999");
    EXPECT_EQ(out.folioText, "");
    EXPECT_EQ(out.status->text, "\"99999999999999999999\" : Not an account number, none kept");
    d.editor.folioTyped(EntrySide::Credit, 0, "100/1");
    EXPECT_EQ(d.editor.folioLeft(EntrySide::Credit, 0, "100/1").folioText, "100");

    // By name: the number into the line and the folio box (dash form).
    EXPECT_EQ(d.editor.accountNameChosen(EntrySide::Credit, 0, "Petty cash").folioText, "100-1");
    out = d.editor.accountNameClicked(EntrySide::Debit, 0, "Rent");
    EXPECT_EQ(out.folioText, "600");
    EXPECT_EQ(out.status->text, "Debit Rent");
    // A name no account has: the box shows the line's account again, and says why.
    out = d.editor.accountNameChosen(EntrySide::Debit, 0, "Nobody");
    EXPECT_EQ(std::tuple(out.folioText, out.nameText, out.status->text, out.status->colour),
              std::tuple(std::nullopt, "Rent", "Nobody : This account does not exists...",
                         StatusColour::Red));
    EXPECT_EQ(d.lines(4), (V{"D 600 30 #41", "C 100.1 30 'Third' #41"}));
    // A row that shows no line takes nothing.
    EXPECT_FALSE(d.editor.folioTyped(EntrySide::Debit, 1, "110").changed);

    // A decimal-comma locale reads its own mark and the dash.
    Desk c(threeEntries(), decimalCommaLocale());
    c.editor.folioTyped(EntrySide::Debit, 0, "100,1");
    EXPECT_EQ(c.line(4).AccountNumber, Currency::fromRaw(1001000));
    EXPECT_EQ(c.editor.accountNameChosen(EntrySide::Credit, 0, "Petty cash").folioText, "100,1");

    // A locale that gives no decimal mark reads and writes ".".
    EXPECT_EQ(readAccountNumber("100-1", ""), Currency::fromRaw(1001000));
    LocaleInfo markless = dayFirstLocale();
    markless.decimalMark = "";
    Desk m(threeEntries(), markless);
    EXPECT_EQ(m.editor.accountNameChosen(EntrySide::Credit, 0, "Petty cash").folioText, "100.1");
}

TEST(EntryAmounts, StoredOnEveryChangeWithTheTotalsLine) {
    Book b = threeEntries();
    addLine(b, Debit, Currency(), Currency(), "", "42");
    addLine(b, Credit, Currency(), Currency(), "_", "42");
    Desk d(std::move(b));
    EntryOutcome out = d.editor.amountChanged(EntrySide::Debit, 0, "1,250.50");
    EXPECT_EQ(d.line(6).Amount, cents(125050));
    EXPECT_EQ(out.status->text, "Debit : 1,250.50     Credit : 0.00     Balance : 1,250.50  ");
    EXPECT_EQ(out.status->colour, StatusColour::Red);
    EXPECT_EQ(out.balancingButton, true);
    EXPECT_TRUE(d.run.BookChanged);

    out = d.editor.amountChanged(EntrySide::Credit, 0, "1250.5");
    EXPECT_EQ(out.status->text, "Debit : 1,250.50     Credit : 1,250.50");
    EXPECT_EQ(out.status->colour, StatusColour::Black);
    EXPECT_EQ(out.balancingButton, false);
    out = d.editor.amountChanged(EntrySide::Credit, 0, "2000");
    EXPECT_EQ(out.status->text, "Debit : 1,250.50     Credit : 2,000.00     Balance : (749.50)  ");
    d.editor.amountChanged(EntrySide::Credit, 0, "");
    EXPECT_TRUE(d.line(7).Amount.isZero());
    // A difference below a cent shows its own digits, never a red 0.00.
    out = d.editor.amountChanged(EntrySide::Credit, 0, "1250.4951");
    EXPECT_EQ(out.status->text,
              "Debit : 1,250.5000     Credit : 1,250.4951     Balance : 0.0049  ");

    // Totals within the range whose difference is not: the difference shown whole.
    const std::pair<std::int64_t, std::string> edges[] = {
        {-1, "Debit : 922,337,203,685,477.5807     Credit : (0.0001)     Balance : "
             "922,337,203,685,477.5808  "},
        {INT64_MIN, "Debit : 922,337,203,685,477.5807     Credit : (922,337,203,685,477.5808)     "
                    "Balance : 1,844,674,407,370,955.1615  "}};
    for (const auto& [credit, shown] : edges) {
        d.line(6).Amount = Currency::fromRaw(INT64_MAX);
        d.line(7).Amount = Currency::fromRaw(credit);
        EXPECT_EQ(d.editor.sumEntry().status->text, shown);
    }
    // Totals beyond the currency's range say so.
    d.line(6).Amount = d.line(7).Amount = Currency::fromRaw(INT64_MAX);
    d.line(7).Side = Debit;
    EXPECT_EQ(d.editor.sumEntry().status->text, "The totals of this entry are too large to add up");
}

TEST(EntryAmounts, PastedOrHalfTypedTextNeverStoresAWrongAmount) {
    Desk d(threeEntries());
    for (const char* bad : {"-50", "(50)", "12a", "1 000", "99999999999999999999", "1.23456",
                            "922337203685477.5808"}) {
        EntryOutcome out = d.editor.amountChanged(EntrySide::Debit, 0, bad);
        EXPECT_EQ(d.line(4).Amount, money(30)) << bad;
        EXPECT_EQ(out.status->colour, StatusColour::Red) << bad;
        EXPECT_NE(out.status->text->find(bad), std::string::npos) << *out.status->text;
        EXPECT_EQ(checkAmountText(bad, NumberMarks{}).kind, AmountTextKind::Refused) << bad;
    }
    EXPECT_FALSE(d.run.BookChanged);
    // On the way to "1,250" the old amount stays until the text is one.
    EXPECT_EQ(checkAmountText("1,2", NumberMarks{}).kind, AmountTextKind::Incomplete);
    d.editor.amountChanged(EntrySide::Debit, 0, "1,2");
    EXPECT_EQ(d.line(4).Amount, money(30));
    d.editor.amountChanged(EntrySide::Debit, 0, "1,250");
    EXPECT_EQ(d.line(4).Amount, money(1250));
    EXPECT_EQ(checkAmountText("922337203685477.5807", NumberMarks{}).kind, AmountTextKind::Valid);
    // An amount below zero (pasted, or from a book file): its box's own text
    // keeps it; another signed text stores nothing; a typed amount replaces it.
    d.line(4).Amount = Currency::fromRaw(-505000);
    const EntryOutcome kept = d.editor.amountChanged(EntrySide::Debit, 0, "-50.5");
    EXPECT_FALSE(kept.changed);
    EXPECT_EQ(kept.status->text->find("Not"), std::string::npos) << *kept.status->text;
    EXPECT_EQ(d.editor.amountChanged(EntrySide::Debit, 0, "-50").status->colour, StatusColour::Red);
    EXPECT_EQ(d.line(4).Amount, Currency::fromRaw(-505000));
    d.editor.amountChanged(EntrySide::Debit, 0, "50.5");
    EXPECT_EQ(d.line(4).Amount, Currency::fromRaw(505000));
}

TEST(EntryKeys, FiltersOfTheDateFolioAndAmountBoxes) {
    for (char32_t k : {U'/', U'-', U'.', U'7', char32_t(8)})
        EXPECT_TRUE(dateKeyAllowed(k, dayFirstLocale()) && folioKeyAllowed(k, "."));
    for (char32_t k : {U'a', U' ', U','})
        EXPECT_FALSE(dateKeyAllowed(k, dayFirstLocale()) || folioKeyAllowed(k, "."));
    // A number is typed as it is shown: with the locale's decimal mark.
    EXPECT_TRUE(folioKeyAllowed(U',', ",") && folioKeyAllowed(U'\u066B', "\u066B"));
    EXPECT_FALSE(folioKeyAllowed(U';', ",") || folioKeyAllowed(U',', ""));
    // A date is typed as it is shown: with blanks, or with the month's name.
    LocaleInfo blanks = dayFirstLocale(), named = dayFirstLocale();
    blanks.shortDatePattern = "dd MM yyyy", named.shortDatePattern = "d MMM yyyy";
    EXPECT_TRUE(dateKeyAllowed(U' ', blanks) && dateKeyAllowed(U'J', named));
    EXPECT_EQ(Tmain::ParseDateStyle("15 03 2024", 0, blanks), Tmain::DayNumber(2024, 3, 15));
    const NumberMarks point{".", ","}, spaced{",", "\xC2\xA0"};
    for (const char* ok : {"0", "9", ".", ",", "\x03", "\x16", "\x08"})
        EXPECT_TRUE(amountKeyAllowed(ok, point)) << ok;
    for (const char* no : {"-", "(", "a", " ", "", "12"})
        EXPECT_FALSE(amountKeyAllowed(no, point)) << no;
    EXPECT_TRUE(amountKeyAllowed("\xC2\xA0", spaced));
    EXPECT_FALSE(amountKeyAllowed(".", spaced));
    // A "." or "," that is neither mark types the decimal mark; another key refused is told.
    const NumberMarks comma{",", "."}, apostrophe{".", "'"};
    const std::tuple<char32_t, NumberMarks, char32_t> typed[] = {
        {U'.', spaced, U','}, {U',', spaced, U','}, {U'.', comma, U'.'}, {U',', apostrophe, U'.'},
        {U'.', point, U'.'},  {U'a', point, 0},     {U'-', spaced, 0}};
    for (const auto& [key, marks, types] : typed) {
        const FigureKey k = amountKey(key, marks);
        EXPECT_EQ(std::pair(k.typed, k.problem.empty()), std::pair(types, types != 0))
            << char(key) << marks.decimal;
    }
    // A key that would carry the figure past the largest amount, or put a
    // mark out of its place, is refused.
    for (const char* ok : {"-922,337,203,685,477.5808", "922337203685477.58079", "12", "-", "1,2"})
        EXPECT_EQ(typedFigureProblem(ok, point), "") << ok;
    for (const char* no : {"922,337,203,685,478", "922337203685477.5808", "-9223372036854770",
                           "12-3", "1.2.", "1.2,"})
        EXPECT_NE(typedFigureProblem(no, point), "") << no;
    EXPECT_NE(typedFigureProblem("922\u00A0337203685477,59", spaced), "");
}

TEST(EntryNote, TheNoteGoesToTheLastLineAndABlankOneIsStoredAsUnderscore) {
    Desk d(compoundAfterPlain());
    d.editor.noteChanged("Paid by cheque");
    EXPECT_EQ(d.lines(), (V{"D 100 10 #1", "C 400 10 'Plain' #1", "D 600 20 #2", "D 110 5 #2",
                            "C 100 25 'Paid by cheque' #2"}));
    EXPECT_TRUE(d.run.BookChanged);
    for (const char* blank : {"", "   "}) {
        d.editor.noteChanged(blank);
        EXPECT_EQ(d.line(4).Details, "_");
    }
    EXPECT_EQ(d.model.noteText(), "");
}

TEST(EntryKeys, KeyMoveStepsBetweenEntriesAndStopsAtTheEnds) {
    Book b = threeEntries();
    addLine(b, Debit, money(100), money(1), "Odd", "42"); // a one-line entry at the end
    Desk d(std::move(b));
    d.show(2);
    EntryOutcome out = d.editor.keyMove(EntryKey::Up);
    EXPECT_TRUE(out.swallowKey);
    EXPECT_EQ(out.showLine, 1);
    EXPECT_EQ(d.run.CurrentFirstLine, 0);
    d.editor.keyMove(EntryKey::Up);
    EXPECT_EQ(d.run.CurrentFirstLine, 0);
    d.show(4);
    d.editor.keyMove(EntryKey::Down);
    EXPECT_EQ(d.run.CurrentFirstLine, 6);
    EXPECT_EQ(d.editor.keyMove(EntryKey::Down).showLine, 6);
    EXPECT_EQ(d.editor.keyMove(EntryKey::PageDown).focus, FocusTarget::JournalID);
    out = d.editor.keyMove(EntryKey::Other);
    EXPECT_FALSE(out.swallowKey || out.showLine);
}

TEST(EntryLock, AReadOnlyEntryTakesNoEditFromAnyField) {
    Book b = compoundAfterPlain();
    for (int i = 0; i < 20; ++i) {
        addLine(b, Debit, money(100), money(1), "", "3");
        addLine(b, Credit, money(400), money(1), "_", "3");
    }
    b.AdminPassword = VariantText("secret");
    Desk d(std::move(b));
    d.show(2);
    ASSERT_TRUE(d.model.locked());
    const V before = d.lines();
    d.editor.commitDate("01/01/2020");
    d.editor.referenceEdited("X");
    d.editor.folioTyped(EntrySide::Debit, 1, "600"); // rows beyond the first too
    d.editor.accountNameChosen(EntrySide::Credit, 0, "Rent");
    d.editor.amountChanged(EntrySide::Debit, 0, "7");
    d.editor.noteChanged("new");
    EXPECT_EQ(d.lines(), before);
    EXPECT_EQ(d.line(2).Date, AnyDay);
    EXPECT_FALSE(d.run.BookChanged);
    EXPECT_EQ(d.editor.keyMove(EntryKey::PageUp).focus, FocusTarget::None);
}
