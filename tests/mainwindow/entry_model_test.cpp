#include "mainwindow/entry_model.h"

#include "book/tmain.h"
#include "mainwindow/entry_test_books.h"

#include <gtest/gtest.h>

using namespace entry_books;

namespace {

void addAccount(Book& b, int slot, const std::string& name, Currency number) {
    if (slot > b.LastAccount) b.resizeAccounts(slot);
    b.AccountNames[slot] = name;
    b.AccountNumbers[slot] = number;
}

std::vector<std::int32_t> lines(const std::vector<EntryRow>& rows) {
    std::vector<std::int32_t> out;
    for (const EntryRow& r : rows)
        out.push_back(r.line);
    return out;
}

} // namespace

TEST(EntryBounds, FindsTheEntryHoldingAnyLineAndNeverAStaleOne) {
    Book b = fiveEntries();
    EXPECT_EQ(findEntryBounds(b, 0), (EntryBounds{0, 5}));
    EXPECT_EQ(findEntryBounds(b, 3), (EntryBounds{0, 5}));
    EXPECT_EQ(findEntryBounds(b, 5), (EntryBounds{0, 5}));
    EXPECT_EQ(findEntryBounds(b, 6), (EntryBounds{6, 7}));
    EXPECT_EQ(findEntryBounds(b, 9), (EntryBounds{8, 10}));
    EXPECT_EQ(findEntryBounds(b, 14), (EntryBounds{13, 14}));
    // Out of range values are clamped to the journal.
    EXPECT_EQ(findEntryBounds(b, -1), (EntryBounds{0, 5}));
    EXPECT_EQ(findEntryBounds(b, 15), (EntryBounds{13, 14}));
    // The last line ends the journal's entry even without a note.
    b.EntryLines[14].Details = "";
    EXPECT_EQ(findEntryBounds(b, 13), (EntryBounds{13, 14}));

    // An entry of hundreds of lines is found whole from any of its lines, as
    // the journal's index finds it.
    Book open = makeEmptyBook("Balance", 45000);
    open.EntryLines.assign(300, EntryLine{});
    open.EntryIds.assign(300, EntryId{});
    open.EntryLines[9].Details = open.EntryLines[299].Details = "_";
    const EntryIndex index(open);
    for (std::int32_t line : {0, 9, 10, 40, 150, 250, 299})
        EXPECT_EQ(findEntryBounds(open, line), index.bounds(line)) << line;
    EXPECT_EQ(findEntryBounds(open, 150), (EntryBounds{10, 299}));

    Book empty;
    EXPECT_EQ(findEntryBounds(empty, 0), (EntryBounds{0, -1}));
}

TEST(EntryModel, EachRowRecordsTheLineItShows) {
    Book b = fiveEntries();
    RunTimeState run;
    EntryModel m(b, run, monthFirstLocale());

    m.showEntryHolding(2);
    EXPECT_EQ(lines(m.debitRows()), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(lines(m.creditRows()), (std::vector<std::int32_t>{5}));
    EXPECT_EQ(m.debitRows()[3].amount, "13");
    EXPECT_EQ(m.debitRows()[3].name, "Rent");
    EXPECT_EQ(m.creditRows()[0].folio, "100");
    EXPECT_EQ(m.creditRows()[0].amount, "60");
    EXPECT_EQ(m.noteText(), "Rent split");
    EXPECT_EQ(run.CurrentFirstLine, 0);
    EXPECT_EQ(run.CurrentLastLine, 5);
    EXPECT_EQ(run.RowBase, 0);

    // Credit written first: the credit row shows line 6, the debit row line 7.
    m.showEntryHolding(m.nextEntryLine());
    EXPECT_EQ(m.debitRowLine(0), 7);
    EXPECT_EQ(m.creditRowLine(0), 6);
    EXPECT_EQ(m.debitRowLine(1), -1);
    EXPECT_EQ(m.debitRows()[0].name, "Bank");
    EXPECT_EQ(m.creditRows()[0].name, "Sales");
    EXPECT_EQ(m.reference(), "2");

    // A never-filled line takes no row; the credit row still shows its own line.
    m.showEntryHolding(m.nextEntryLine());
    EXPECT_EQ(lines(m.debitRows()), (std::vector<std::int32_t>{8}));
    EXPECT_EQ(lines(m.creditRows()), (std::vector<std::int32_t>{10}));

    m.showEntryHolding(m.nextEntryLine());
    EXPECT_EQ(m.bounds(), (EntryBounds{11, 12}));
    EXPECT_EQ(m.noteText(), ""); // "_" shows empty
    m.showEntryHolding(m.nextEntryLine());
    EXPECT_EQ(m.bounds(), (EntryBounds{13, 14}));
    m.showEntryHolding(m.nextEntryLine()); // past the end: stays on the last entry
    EXPECT_EQ(m.bounds(), (EntryBounds{13, 14}));

    // And back again, entry by entry.
    std::vector<EntryBounds> seen;
    for (int i = 0; i < 6; ++i) {
        m.showEntryHolding(m.previousEntryLine());
        seen.push_back(m.bounds());
    }
    EXPECT_EQ(seen, (std::vector<EntryBounds>{{11, 12}, {8, 10}, {6, 7}, {0, 5}, {0, 5}, {0, 5}}));
}

TEST(EntryModel, HeadTextsOfTheShownEntry) {
    Book b = fiveEntries();
    RunTimeState run;
    EntryModel m(b, run, dayFirstLocale());
    b.DateStyle = 2;
    m.showEntryHolding(6);
    EXPECT_EQ(m.dateText(), Tmain::FormatDateStyle(45001, 2, dayFirstLocale()));
    EXPECT_EQ(m.positionText(), "Entry 4");
    m.showEntryHolding(0);
    EXPECT_EQ(m.positionText(), "Entry 1 - 3");

    // Four lines from line 6 read "4 - 5"; two lines from line 6 read "4".
    Book four = fiveEntries();
    four.EntryLines[7].Details = "";
    four.EntryLines[8].Details = "";
    four.EntryLines[9].Details = "x";
    EntryModel m4(four, run, dayFirstLocale());
    m4.showEntryHolding(7);
    EXPECT_EQ(m4.bounds(), (EntryBounds{6, 9}));
    EXPECT_EQ(m4.positionText(), "Entry 4 - 5");

    // Reconciled byte: 1 ticks, above 1 is reset to 0 on showing.
    b.EntryLines[11].Reconciled = 1;
    m.showEntryHolding(12);
    EXPECT_TRUE(m.reconciled());
    b.EntryLines[13].Reconciled = 7;
    m.showEntryHolding(13);
    EXPECT_FALSE(m.reconciled());
    EXPECT_EQ(b.EntryLines[13].Reconciled, 0);
}

TEST(EntryModel, NumbersInPlainFormWithTheLocaleMarkAndSubAccountDash) {
    Book b = fiveEntries();
    addAccount(b, 5, "Petty cash", Currency::fromRaw(2002500)); // 200.25
    b.EntryLines[13].AccountNumber = Currency::fromRaw(2002500);
    b.EntryLines[13].Amount = Currency::fromRaw(12345); // 1.2345
    b.EntryLines[14].AccountNumber = Currency();
    b.EntryLines[14].Amount = Currency();
    RunTimeState run;
    EntryModel m(b, run, decimalCommaLocale());
    m.showEntryHolding(14);
    EXPECT_EQ(m.debitRows()[0].folio, "200,25");
    EXPECT_EQ(m.debitRows()[0].name, "Petty cash");
    EXPECT_EQ(m.debitRows()[0].amount, "1,2345");
    EXPECT_EQ(m.creditRows()[0].folio, ""); // account 0: empty folio and name
    EXPECT_EQ(m.creditRows()[0].name, "");
    EXPECT_EQ(m.creditRows()[0].amount, ""); // zero amount: empty box
    EXPECT_EQ(m.creditRowLine(0), 14);       // the row still edits its line

    b.SubAccountDash = -1;
    m.setLocale(monthFirstLocale());
    m.refresh();
    EXPECT_EQ(m.debitRows()[0].folio, "200-25");
    addAccount(b, 6, "Deposits", -money(5));
    b.EntryLines[14].AccountNumber = -money(5);
    m.refresh();
    EXPECT_EQ(m.creditRows()[0].folio, "-5");
    EXPECT_EQ(m.creditRows()[0].name, "Deposits");
    // An amount below zero shows with its sign, as the trial balance counts it.
    b.EntryLines[13].Amount = Currency::fromRaw(-505000);
    m.refresh();
    EXPECT_EQ(m.debitRows()[0].amount, "-50.5");
}

TEST(EntryModel, MoreThanThirtyOneLinesASideShowTheFirstAndSaySo) {
    Book b = makeEmptyBook("Balance", 45000);
    b.EntryLines.clear();
    b.EntryIds.clear();
    for (int i = 0; i < 35; ++i)
        addLine(b, Debit, 1, i + 1, "", "9");
    for (int i = 0; i < 35; ++i)
        addLine(b, Credit, 1, i + 1, i == 34 ? "big" : "", "9");
    RunTimeState run;
    EntryModel m(b, run, monthFirstLocale());
    m.showEntryHolding(40);
    ASSERT_EQ(m.debitRows().size(), 31u);
    ASSERT_EQ(m.creditRows().size(), 31u);
    EXPECT_EQ(m.debitRowLine(30), 30);
    EXPECT_EQ(m.creditRowLine(0), 35);
    EXPECT_EQ(m.creditRowLine(30), 65);
    EXPECT_EQ(m.creditRowLine(31), -1);
    EXPECT_EQ(m.hiddenDebitLines(), 4);
    EXPECT_EQ(m.hiddenCreditLines(), 4);
    EXPECT_EQ(m.statusText(), "8 lines not shown: each side shows its first 31.");
    EXPECT_EQ(m.noteText(), "big");

    b.EntryLines.resize(4);
    b.EntryIds.resize(4);
    b.EntryLines[3].Details = "_";
    m.showEntryHolding(0);
    EXPECT_EQ(m.statusText(), "");
}

TEST(EntryModel, AdministratorPasswordLocksTheOldEntries) {
    Book b = makeEmptyBook("Balance", 45000);
    b.EntryLines.clear();
    b.EntryIds.clear();
    for (int i = 0; i < 50; ++i) {
        addLine(b, Debit, 1, 1, "", std::to_string(i + 1));
        addLine(b, Credit, 1, 1, "_", std::to_string(i + 1));
    }
    RunTimeState run;
    EntryModel m(b, run, monthFirstLocale());
    m.showEntryHolding(0);
    EXPECT_FALSE(m.locked()); // no password, nothing locked
    EXPECT_EQ(run.LockedBelow, 0);

    b.AdminPassword = "boss";
    m.showEntryHolding(68);
    EXPECT_EQ(run.LockedBelow, 69);
    EXPECT_TRUE(m.locked());
    m.showEntryHolding(70);
    EXPECT_FALSE(m.locked());
    m.showEntryHolding(99);
    EXPECT_FALSE(m.locked());
}

TEST(EntryModel, AnEmptyJournalShowsNothingAndDoesNotFail) {
    Book b;
    RunTimeState run;
    EntryModel m(b, run, monthFirstLocale());
    m.showEntryHolding(5);
    EXPECT_TRUE(m.debitRows().empty());
    EXPECT_TRUE(m.creditRows().empty());
    EXPECT_EQ(m.reference(), "");
    EXPECT_EQ(m.noteText(), "");
    EXPECT_FALSE(m.reconciled());
    m.refresh();
    EXPECT_TRUE(m.creditRows().empty());
}
