#include "mainwindow/goto_search.h"

#include "platform/fake/fake_services.h"
#include "toolkit/key_codes.h"

#include <gtest/gtest.h>

namespace {

Currency units(std::int64_t n) {
    return Currency::fromUnits(n);
}

void addLine(Book& b, std::uint8_t side, std::int64_t amount, const std::string& ref,
             const std::string& note = "") {
    EntryLine l;
    l.Date = 45000;
    l.Side = side;
    l.AccountNumber = units(100);
    l.Amount = units(amount);
    l.Details = note;
    b.EntryLines.push_back(l);
    b.EntryIds.push_back(EntryId(ref));
}

void addPair(Book& b, std::int64_t debit, std::int64_t credit, const std::string& ref) {
    addLine(b, Debit, debit, ref);
    addLine(b, Credit, credit, ref, "_");
}

Book emptyJournal() {
    Book b = makeEmptyBook("Balance", 45000);
    b.EntryLines.clear();
    b.EntryIds.clear();
    return b;
}

TEST(GotoBox, EnterFindsTheFirstLineOfTheReferenceTypedPaddedTo14) {
    ScopedFakeServices fakes;
    Book b = emptyJournal();
    addPair(b, 1, 1, "1");              // lines 0-1
    addPair(b, 1, 1, "120");            // 2-3
    addPair(b, 1, 1, "12");             // 4-5
    addPair(b, 1, 1, "12");             // 6-7: the same reference again
    addPair(b, 1, 1, "INV-7");          // 8-9
    addPair(b, 1, 1, "ABCDEFGHIJKLMN"); // 10-11: all 14 characters
    RunTimeState run;
    run.CurrentFirstLine = 8;

    GotoResult r = gotoBoxKeyPress(keys::Enter, "12", b, run);
    ASSERT_TRUE(r.line);
    EXPECT_EQ(*r.line, 4);
    EXPECT_EQ(run.CurrentFirstLine, 4);
    EXPECT_EQ(r.status, "");

    // Only the first 14 characters are compared.
    EXPECT_EQ(findEntryReference(b, "ABCDEFGHIJKLMNOPQ"), 10);
    // Case and inner blanks count; typed text is upper-cased on key release first.
    EXPECT_EQ(findEntryReference(b, "inv-7"), std::nullopt);
    EXPECT_EQ(findEntryReference(b, gotoBoxTextAfterKey("inv-7")), 8);
    EXPECT_EQ(gotoBoxTextAfterKey("abc\xC3\xA9z"), "ABC\xC3\x89Z"); // é becomes É
    // A shorter or longer number is another reference; an empty box matches nothing.
    EXPECT_EQ(findEntryReference(b, "1"), 0);
    EXPECT_EQ(findEntryReference(b, "12 "), 4);
    EXPECT_EQ(findEntryReference(b, ""), std::nullopt);

    // Keys other than Enter do nothing.
    run.CurrentFirstLine = 8;
    r = gotoBoxKeyPress('2', "12", b, run);
    EXPECT_FALSE(r.line);
    EXPECT_EQ(r.status, "");
    EXPECT_EQ(run.CurrentFirstLine, 8);
}

TEST(GotoBox, AnUnknownReferenceIsSaidInTheStatusLine) {
    ScopedFakeServices fakes;
    Book b = emptyJournal();
    addPair(b, 1, 1, "1");
    RunTimeState run;
    run.CurrentFirstLine = 0;
    const GotoResult r = gotoBoxKeyPress(keys::Enter, "A7", b, run);
    EXPECT_FALSE(r.line);
    EXPECT_EQ(r.status, "Entry number A7 not found...");
    EXPECT_EQ(run.CurrentFirstLine, 0);
    EXPECT_EQ(referenceNotFoundText(""), "Entry number  not found...");
}

TEST(GotoBox, FocusUpAndDown) {
    EXPECT_EQ(gotoBoxSelectionOnFocus("12"), 2);
    EXPECT_EQ(gotoBoxSelectionOnFocus("\xC3\x89X"), 2); // characters, not bytes
    RunTimeState run;
    run.CurrentFirstLine = 4;
    run.CurrentLastLine = 6;
    int key = keys::Up;
    EXPECT_EQ(gotoBoxKeyDown(key, run), 3);
    EXPECT_EQ(key, 0);
    key = keys::Down;
    EXPECT_EQ(gotoBoxKeyDown(key, run), 7);
    EXPECT_EQ(key, 0);
    key = keys::Left;
    EXPECT_EQ(gotoBoxKeyDown(key, run), std::nullopt);
    EXPECT_EQ(key, keys::Left);
    // On the first entry Up asks for line -1, which the scroller holds at its minimum.
    run.CurrentFirstLine = 0;
    key = keys::Up;
    EXPECT_EQ(gotoBoxKeyDown(key, run), -1);
}

TEST(BalancePoint, TheLineWhereTheJournalGoesOutOfBalance) {
    Book b = emptyJournal();
    EXPECT_EQ(balancePointLine(b), 0);

    // Everything balances: the first line of the last entry.
    addPair(b, 10, 10, "1"); // 0-1
    addPair(b, 20, 20, "2"); // 2-3
    addPair(b, 30, 30, "3"); // 4-5
    EXPECT_EQ(balancePointLine(b), 4);

    // An unbalanced entry followed by balanced ones: its first line.
    Book u = emptyJournal();
    addPair(u, 10, 10, "1"); // 0-1
    addPair(u, 25, 20, "2"); // 2-3 out by 5
    addPair(u, 30, 30, "3"); // 4-5
    addPair(u, 40, 40, "4"); // 6-7
    EXPECT_EQ(balancePointLine(u), 2);

    // A later entry that cancels the difference: past both.
    addPair(u, 15, 20, "5"); // 8-9 back in balance
    addPair(u, 50, 50, "6"); // 10-11
    EXPECT_EQ(balancePointLine(u), 10);

    // Lines of neither side count nowhere; a compound entry balances as a whole.
    Book c = emptyJournal();
    addLine(c, Debit, 60, "1");
    addLine(c, Unfilled, 999, "1");
    addLine(c, Credit, 20, "1");
    addLine(c, Credit, 40, "1", "_"); // 0-3 balanced
    addPair(c, 5, 0, "2");            // 4-5 out by 5
    EXPECT_EQ(balancePointLine(c), 4);
}

} // namespace
