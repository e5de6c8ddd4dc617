#include "mainwindow/entry_test_books.h"

#include <gtest/gtest.h>

using namespace entry_books;
using V = std::vector<std::string>;

namespace {

// threeEntries() and an entry of the given debit and credit amounts (in
// cents) on accounts 100 and 400, reference 42, note "End".
Book endingWith(const std::vector<std::int64_t>& debits, const std::vector<std::int64_t>& credits) {
    Book b = threeEntries();
    for (std::int64_t a : debits)
        addLine(b, Debit, money(100), cents(a), "", "42");
    for (std::size_t i = 0; i < credits.size(); ++i)
        addLine(b, Credit, money(400), cents(credits[i]), i + 1 == credits.size() ? "End" : "",
                "42");
    return b;
}

} // namespace

TEST(AddLine, DebitLinesGoBeforeTheCreditAndTheNoteMovesToTheEnd) {
    Desk d(threeEntries());
    d.commands.newEntry("");
    d.editor.noteChanged("Stock bought");
    d.run.BookChanged = false;
    EntryOutcome out = d.compound.addLine(EntrySide::Debit);
    EXPECT_TRUE(out.changed && out.rearrange && d.run.BookChanged);
    EXPECT_EQ(out.focus, FocusTarget::DebitAmount);
    EXPECT_EQ(out.focusRow, 1);
    EXPECT_EQ(d.compound.addLine(EntrySide::Debit).focusRow, 2);
    EXPECT_EQ(d.lines(6), (V{"D 0 0 #42", "D 0 0 #42", "D 0 0 #42", "C 0 0 'Stock bought' #42"}));
    EXPECT_EQ(d.dates(6), (std::vector<double>(4, Today)));
    EXPECT_EQ(d.run.CurrentLastLine, 9);
    EXPECT_EQ(d.model.debitRowLine(2), 8);
    EXPECT_EQ(d.model.creditRowLine(0), 9);

    // A credit line goes last and takes the note, here "_", along.
    d.editor.noteChanged("");
    out = d.compound.addLine(EntrySide::Credit);
    EXPECT_EQ(out.focus, FocusTarget::CreditAmount);
    EXPECT_EQ(out.focusRow, 1);
    EXPECT_EQ(d.lines(9), (V{"C 0 0 #42", "C 0 0 '_' #42"}));
}

TEST(AddLine, OnlyTheJournalsLastEntryGrowsAndASideStopsAtThirty) {
    Desk d(threeEntries());
    d.commands.newEntry("");
    d.run.BookChanged = false;
    d.show(2);
    const V before = d.lines();
    EntryOutcome out = d.compound.addLine(EntrySide::Debit);
    EXPECT_FALSE(out.changed || d.run.BookChanged);
    EXPECT_TRUE(out.status);
    EXPECT_EQ(d.lines(), before);

    d.show(6);
    for (int i = 1; i < 29; ++i)
        EXPECT_FALSE(d.compound.addLine(EntrySide::Debit).hideDebitAddLine) << i;
    out = d.compound.addLine(EntrySide::Debit); // the 30th debit line
    EXPECT_TRUE(out.changed && out.hideDebitAddLine && !out.hideCreditAddLine);
    EXPECT_EQ(out.focusRow, 29);
    const std::size_t lines = d.book.EntryLines.size();
    out = d.compound.addLine(EntrySide::Debit);
    EXPECT_FALSE(out.changed);
    EXPECT_TRUE(out.hideDebitAddLine);
    EXPECT_EQ(d.book.EntryLines.size(), lines);
    EXPECT_TRUE(d.compound.addLine(EntrySide::Credit).changed);
    // A line of no side counts as a credit: beside 29 credits it is the 30th.
    Desk full(endingWith({100}, std::vector<std::int64_t>(30, 100)));
    full.book.EntryLines[7].Side = Unfilled;
    out = full.compound.addLine(EntrySide::Credit);
    EXPECT_TRUE(!out.changed && out.hideCreditAddLine && !out.hideDebitAddLine);
    ASSERT_TRUE(out.status && out.status->text);
    // The count says which of the 31 the entry line does not show.
    EXPECT_NE(out.status->text->find(
                  "1 debit and 31 credit lines (1 of them on neither side, counted as a credit)"),
              std::string::npos)
        << *out.status->text;
    EXPECT_TRUE(full.compound.addLine(EntrySide::Debit).changed);
}

TEST(Balancing, ASimpleEntryCopiesTheAmountThatIsThere) {
    Desk d(endingWith({5000}, {0}));
    EntryOutcome out = d.compound.balance();
    EXPECT_EQ(d.lines(6), (V{"D 100 50 #42", "C 400 50 'End' #42"}));
    EXPECT_EQ(out.amountText, "50");
    EXPECT_EQ(out.focus, FocusTarget::CreditAmount);
    EXPECT_EQ(out.focusRow, 0);
    EXPECT_EQ(out.status->text, "Debit : 50.00     Credit : 50.00");
    EXPECT_EQ(out.status->colour, StatusColour::Black);
    EXPECT_EQ(out.balancingButton, false);
    EXPECT_TRUE(d.run.BookChanged);

    Desk c(endingWith({0}, {3050}));
    out = c.compound.balance();
    EXPECT_EQ(c.line(6).Amount, cents(3050));
    EXPECT_EQ(out.amountText, "30.5");
    EXPECT_EQ(out.focus, FocusTarget::DebitAmount);

    Desk both(endingWith({5000}, {3000})); // the credit takes the debit's amount
    both.compound.balance();
    EXPECT_EQ(both.line(7).Amount, money(50));

    Desk none(endingWith({0}, {0}));
    EXPECT_FALSE(none.compound.balance().changed || none.run.BookChanged);
}

TEST(Balancing, SeveralLinesPutTheMissingAmountIntoRowZero) {
    Desk a(endingWith({0}, {6000, 4000}));
    EXPECT_EQ(a.compound.balance().focus, FocusTarget::DebitAmount);
    EXPECT_EQ(a.line(6).Amount, money(100));

    Desk b(endingWith({3000, 2000}, {1000}));
    b.compound.balance();
    EXPECT_EQ(b.line(8).Amount, money(50));

    // Several lines on both sides: what the entry lacks, not the credit total.
    Desk c(endingWith({9999, 2500}, {6000, 4000}));
    EntryOutcome out = c.compound.balance();
    EXPECT_EQ(c.lines(6),
              (V{"D 100 75 #42", "D 100 25 #42", "C 400 60 #42", "C 400 40 'End' #42"}));
    EXPECT_EQ(out.status->text, "Debit : 100.00     Credit : 100.00");

    // The other debits already exceed the credits: nothing is stored.
    Desk d(endingWith({100, 15000}, {6000, 4000}));
    out = d.compound.balance();
    EXPECT_EQ(d.line(6).Amount, money(1));
    EXPECT_FALSE(out.changed || d.run.BookChanged);
    EXPECT_EQ(out.status->colour, StatusColour::Red);

    // A side's total past the range while the amount placed fits: placed; an amount to place
    // past the range is told and nothing is stored.
    Desk edge(endingWith({0, 500}, {1000, 2000})), beyond(endingWith({0}, {1000, 2000}));
    edge.line(6).Amount = beyond.line(7).Amount = beyond.line(8).Amount =
        Currency::fromRaw(INT64_MAX);
    EXPECT_EQ(edge.compound.balance().status->text, "Debit : 30.00     Credit : 30.00");
    EXPECT_EQ(edge.line(6).Amount, money(25));
    out = beyond.compound.balance();
    EXPECT_TRUE(beyond.line(6).Amount.isZero() && !out.changed);
    EXPECT_EQ(out.status->text, "The amount that would balance this entry is too large to hold");

    // Totals shown for another entry before do not count.
    Desk e(endingWith({0}, {6000, 4000}));
    e.show(0);
    e.editor.amountChanged(EntrySide::Debit, 0, "10");
    e.show(6);
    e.compound.balance();
    EXPECT_EQ(e.line(6).Amount, money(100));
}
