#include "mainwindow/entry_test_books.h"

#include <gtest/gtest.h>

using namespace entry_books;
using V = std::vector<std::string>;

TEST(NewEntry, TwoBlankLinesWithTheNextReferenceAndTheBalanceCheck) {
    Desk d(threeEntries());
    d.book.DateStyle = 2;
    EntryOutcome out = d.commands.newEntry("");
    EXPECT_EQ(d.lines(6), (V{"D 0 0 #42", "C 0 0 '_' #42"}));
    EXPECT_EQ(d.ref(7), "42            ");
    EXPECT_EQ(d.dates(6), (std::vector<double>{Today, Today}));
    EXPECT_TRUE(out.changed && d.run.BookChanged);
    EXPECT_EQ(out.showLine, 6);
    EXPECT_EQ(d.run.CurrentFirstLine, 6);
    EXPECT_EQ(d.run.CurrentLastLine, 7);
    EXPECT_EQ(out.referenceText, "42");
    EXPECT_EQ(out.dateText, "09/12/2025");
    EXPECT_TRUE(out.showAddLineButtons);
    EXPECT_EQ(out.focus, FocusTarget::JournalID);
    EXPECT_EQ(out.status->text, "The Accounts are balanced");
    EXPECT_EQ(out.status->colour, StatusColour::Black);
    EXPECT_EQ(d.run.JournalRevision, 0);
    EXPECT_TRUE(d.fakes.messages.shown.empty());

    // A date in the box in the book's style.
    d.commands.newEntry("15/03/2024");
    const double mar15 = Tmain::DayNumber(2024, 3, 15);
    EXPECT_EQ(d.dates(8), (std::vector<double>{mar15, mar15}));
    EXPECT_TRUE(d.fakes.messages.shown.empty());
    // Not a date: today (never 30 December 1899) and "Invalid Date".
    out = d.commands.newEntry("15/13/2024");
    EXPECT_EQ(d.fakes.messages.lastText(), "Invalid Date");
    EXPECT_EQ(d.dates(10), (std::vector<double>{Today, Today}));
    EXPECT_EQ(d.ref(10), "44            ");
    // The box still showing the entry's own date gives that day, even where a
    // two-digit year would read back in another century.
    d.book.DateStyle = 1;
    d.line(10).Date = d.line(11).Date = Tmain::DayNumber(1925, 6, 1);
    d.commands.newEntry("01/06/25");
    EXPECT_EQ(d.dates(12), std::vector<double>(2, Tmain::DayNumber(1925, 6, 1)));
}

TEST(NewEntry, WithoutAutomaticReferencesTheyStayBlankAndAnOpenEndIsClosed) {
    Book b = threeEntries();
    b.AutoIncrement = 0;
    b.EntryLines[5].Details = ""; // a book whose last entry was left open
    Desk d(std::move(b));
    d.commands.newEntry("");
    EXPECT_TRUE(d.book.EntryIds[6].neverAssigned() && d.book.EntryIds[7].neverAssigned());
    EXPECT_EQ(d.line(5).Details, "_");
    EXPECT_EQ(d.run.CurrentFirstLine, 6);
}

TEST(DeleteEntry, TheMiddleTheLastAndTheOnlyEntry) {
    Desk d(threeEntries());
    d.show(2);
    EntryOutcome out = d.commands.deleteEntry(nullptr);
    ASSERT_EQ(d.fakes.messages.shown.size(), 1u);
    EXPECT_EQ(d.fakes.messages.shown[0].text, "Are you sure ?");
    EXPECT_EQ(d.fakes.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(d.lines(),
              (V{"D 100 10 #39", "C 400 10 'First' #39", "D 100 30 #41", "C 400 30 'Third' #41"}));
    EXPECT_EQ(d.book.EntryIds.size(), 4u);
    EXPECT_EQ(out.showLine, 2);
    EXPECT_EQ(d.run.CurrentFirstLine, 2); // the former third entry
    EXPECT_EQ(d.run.JournalRevision, 1);
    EXPECT_TRUE(out.changed && d.run.BookChanged);

    // The last entry: the new last one shows.
    d.run.BookChanged = false;
    out = d.commands.deleteEntry(nullptr, false);
    EXPECT_EQ(d.lines(), (V{"D 100 10 #39", "C 400 10 'First' #39"}));
    EXPECT_EQ(out.showLine, 1);
    EXPECT_EQ(d.run.CurrentFirstLine, 0);
    EXPECT_EQ(d.run.JournalRevision, 2);
    EXPECT_TRUE(d.run.BookChanged);
    EXPECT_EQ(d.fakes.messages.shown.size(), 1u); // not asked this time

    // The only entry: the journal of a new book, dated today.
    d.commands.deleteEntry(nullptr, false);
    EXPECT_EQ(d.lines(), (V{"D 0 0 #1", "C 0 0 '_' #1"}));
    EXPECT_EQ(d.dates(), (std::vector<double>{Today, Today}));
    EXPECT_EQ(d.run.CurrentFirstLine, 0);
    EXPECT_EQ(d.run.CurrentLastLine, 1);
    EXPECT_EQ(d.run.JournalRevision, 3);

    // A line left alone after the others went is kept, not wiped.
    Book b = threeEntries();
    addLine(b, Debit, money(100), money(7), "Alone", "42");
    Desk e(std::move(b));
    for (int i = 0; i < 3; ++i) {
        e.show(0);
        e.commands.deleteEntry(nullptr, false);
    }
    EXPECT_EQ(e.lines(), (V{"D 100 7 'Alone' #42"}));
}

TEST(DeleteEntry, ANoOrAWrongPasswordChangesNothing) {
    Desk d(threeEntries());
    const V before = d.lines();
    d.fakes.messages.answers.push_back(MessageAnswer::No);
    d.commands.deleteEntry(nullptr);
    EXPECT_EQ(d.lines(), before);
    EXPECT_FALSE(d.run.BookChanged);
    EXPECT_EQ(d.run.JournalRevision, 0);

    d.book.AdminPassword = VariantText("secret");
    int asked = 0;
    auto gate = [&](bool pass) {
        return [&asked, pass] {
            ++asked;
            return pass;
        };
    };
    d.commands.deleteEntry(gate(false));
    d.commands.deleteEntry(nullptr, false); // no gate counts as a wrong password
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(d.lines(), before);
    EXPECT_FALSE(d.run.BookChanged);
    EXPECT_EQ(d.fakes.messages.shown.size(), 2u); // the two confirmations, nothing more

    d.run.EnteredPassword = "secret";
    d.commands.deleteEntry(gate(true));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(d.book.LastEntryLine(), 3);
    EXPECT_EQ(d.run.EnteredPassword, "");

    // Without an administrator password the gate is never asked.
    d.book.AdminPassword = VariantText();
    d.commands.deleteEntry(gate(false));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(d.book.LastEntryLine(), 1);
}

TEST(Reconciled, TheMarkCoversEveryLineAndTogglesBack) {
    Book b = threeEntries();
    addLine(b, Debit, money(100), money(1), "", "42");
    addLine(b, Debit, money(110), money(1), "", "42");
    addLine(b, Credit, money(400), money(2), "Three lines", "42");
    Desk d(std::move(b));
    auto marks = [&] {
        std::vector<int> m;
        for (const EntryLine& l : d.book.EntryLines)
            m.push_back(l.Reconciled);
        return m;
    };
    EXPECT_EQ(d.commands.toggleReconciled().reconciledTick, true);
    EXPECT_EQ(marks(), (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 1, 1}));
    EXPECT_TRUE(d.run.BookChanged);
    EXPECT_EQ(d.commands.toggleReconciled().reconciledTick, false);
    EXPECT_EQ(marks(), std::vector<int>(9, 0));
    d.run.BookChanged = false;
    EXPECT_FALSE(d.commands.setReconciled(false).changed || d.run.BookChanged);
}

TEST(BalanceCheck, TheThreeTextsWithThePlainDifference) {
    Desk d(threeEntries());
    EntryOutcome out = d.commands.iSBalance();
    EXPECT_EQ(out.status->text, "The Accounts are balanced");
    EXPECT_EQ(out.status->colour, StatusColour::Black);
    EXPECT_EQ(out.focus, FocusTarget::JournalID);

    Book b = chartOnly();
    addLine(b, Debit, money(100), money(60), "", "1");
    addLine(b, Debit, money(100), money(40), "", "1");
    addLine(b, Credit, money(400), money(75), "x", "1");
    addLine(b, Unfilled, money(400), money(999), "_", "2"); // counts nowhere
    Desk heavy(std::move(b));
    out = heavy.commands.iSBalance();
    EXPECT_EQ(out.status->text, "Credit Accounts are out of balance by 25");
    EXPECT_EQ(out.status->colour, StatusColour::Red);
    heavy.line(2).Amount = money(100);
    heavy.line(1).Amount = cents(2750);
    EXPECT_EQ(heavy.commands.iSBalance().status->text, "Debit Accounts are out of balance by 12.5");
    // Sums beyond the currency's range stay exact.
    heavy.line(0).Amount = heavy.line(1).Amount = Currency::fromRaw(INT64_MAX);
    heavy.line(2).Amount = Currency();
    EXPECT_EQ(heavy.commands.iSBalance().status->text,
              "Credit Accounts are out of balance by 1844674407370955.1614");

    Desk comma(threeEntries(), decimalCommaLocale());
    comma.line(0).Amount = cents(1025);
    EXPECT_EQ(comma.commands.iSBalance().status->text,
              "Credit Accounts are out of balance by 0,25");
}
