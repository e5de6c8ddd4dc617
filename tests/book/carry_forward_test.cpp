#include "book/carry_forward.h"

#include "hand_made_books.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"

#include <gtest/gtest.h>

#include <limits>

using namespace handmade;

namespace {

struct Pair {
    std::string debit, credit, amount;
};

// The new journal as (debit account, credit account, amount) per pair, with
// every pair checked to be one "B/D" entry of the given date and note.
std::vector<Pair> pairsOf(const Book& book, double date, const std::string& note) {
    std::vector<Pair> pairs;
    EXPECT_EQ(book.EntryLines.size() % 2, 0u);
    for (std::size_t i = 0; i + 1 < book.EntryLines.size(); i += 2) {
        const EntryLine& d = book.EntryLines[i];
        const EntryLine& c = book.EntryLines[i + 1];
        EXPECT_EQ(d.Side, Debit);
        EXPECT_EQ(c.Side, Credit);
        EXPECT_EQ(d.Date, date);
        EXPECT_EQ(c.Date, date);
        EXPECT_EQ(d.Amount, c.Amount);
        EXPECT_EQ(d.Details, "");
        EXPECT_EQ(c.Details, note);
        EXPECT_EQ(book.EntryIds[i].raw(), "B/D           ");
        EXPECT_EQ(book.EntryIds[i + 1].raw(), "B/D           ");
        pairs.push_back({d.AccountNumber.toPlainString(), c.AccountNumber.toPlainString(),
                         d.Amount.toPlainString()});
    }
    return pairs;
}

bool operator==(const Pair& a, const Pair& b) {
    return a.debit == b.debit && a.credit == b.credit && a.amount == b.amount;
}

Book tradingBook() {
    Book book = emptyBook();
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "100.1", "Petty cash", CurrentAsset);
    setAccount(book, 3, "400", "Sales", Revenue);
    setAccount(book, 4, "600", "Wages", Expense);
    const double d = day(2024, 3, 1);
    addEntry(book, "1", d, "100", "400", "250");
    addEntry(book, "2", d, "400", "100", "50");
    addEntry(book, "3", d, "100.1", "100", "75.5");
    addEntry(book, "4", d, "600", "600", "10"); // nets to 0
    addEntry(book, "5", d, "1", "100", "30");
    addEntry(book, "6", d, "100", "777", "5"); // 777 is no account
    addLine(book, "7", d, Unfilled, "100", "9", "_");
    return book;
}

} // namespace

TEST(CarryForward, OnePairPerBalanceAgainstTheOpeningAccount) {
    ScopedFakeServices fakes;
    Book book = tradingBook();
    RunTimeState run;
    run.BookFilePath = "/books/big.acc";
    run.CurrentFilePath = "/books/big.acc";
    const double today = day(2025, 1, 6) + 0.4;
    CarryForwardResult result = carryForward(book, run, today);
    ASSERT_TRUE(result.ok()) << result.message;
    // 1: debited 30; 100: 250 - 50 - 75.5 - 30 + 5 = 99.5; 100.1: 75.5; 400: -200.
    const std::vector<Pair> expected = {
        {"1", "1", "30"}, {"100", "1", "99.5"}, {"100.1", "1", "75.5"}, {"1", "400", "200"}};
    EXPECT_EQ(pairsOf(book, day(2025, 1, 6), strings::text(272)), expected);
    EXPECT_EQ(result.linesWritten, 8);
    // The chart stays; the book is changed and has no file of its own.
    EXPECT_EQ(book.AccountNames[3], "Sales");
    EXPECT_EQ(run.BookFilePath, "");
    EXPECT_EQ(run.CurrentFilePath, "");
    EXPECT_TRUE(run.BookChanged);
    EXPECT_EQ(run.CurrentFirstLine, 7);
    EXPECT_EQ(run.RowBase, 7);
}

TEST(CarryForward, EdgeJournals) {
    ScopedFakeServices fakes;
    fakes.clock.moment = day(2025, 2, 3) + 0.9;
    // Two lines: nothing happens.
    Book two = emptyBook();
    setAccount(two, 1, "100", "Cash", CurrentAsset);
    addEntry(two, "1", day(2024, 1, 1), "100", "1", "5");
    const Book twoBefore = two;
    RunTimeState run;
    run.BookFilePath = "/books/small.acc";
    EXPECT_EQ(carryForward(two, run).status, CarryForwardResult::TooShort);
    expectSameBook(two, twoBefore);
    EXPECT_EQ(run.BookFilePath, "/books/small.acc");
    EXPECT_FALSE(run.BookChanged);

    // Every balance zero: the journal of a new book, dated today by the clock.
    Book zero = emptyBook();
    setAccount(zero, 1, "100", "Cash", CurrentAsset);
    setAccount(zero, 2, "400", "Sales", Revenue);
    addEntry(zero, "1", day(2024, 1, 1), "100", "400", "250");
    addEntry(zero, "2", day(2024, 1, 2), "400", "100", "250");
    addEntry(zero, "3", day(2024, 1, 3), "100", "100", "10");
    CarryForwardResult result = carryForward(zero, run);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.linesWritten, 0);
    ASSERT_EQ(zero.EntryLines.size(), 2u);
    EXPECT_EQ(zero.EntryLines[0].Date, day(2025, 2, 3));
    EXPECT_EQ(zero.EntryLines[1].Details, "_");
    EXPECT_EQ(zero.EntryIds[0].shown(), "1");
    EXPECT_TRUE(run.BookChanged);
}

TEST(CarryForward, ANumberHeldTwiceIsCarriedOnceAndNumbersNotInTheChartAreAskedAboutFirst) {
    ScopedFakeServices fakes(decimalCommaLocale());
    Book book = tradingBook();
    setAccount(book, 5, "100", "Cash again", CurrentAsset);
    book.SubAccountDash = -1;
    for (const auto& [account, amount] :
         {std::pair{"100.5", "30"}, {"0", "20"}, {"100.5", "40.25"}})
        addEntry(book, "8", day(2024, 3, 2), account, "400", amount);
    const Book before = book;
    RunTimeState run;
    fakes.messages.answers.push_back(MessageAnswer::No);
    const CarryForwardResult declined = carryForward(book, run, day(2025, 1, 6));
    EXPECT_EQ(declined.status, CarryForwardResult::Declined);
    EXPECT_EQ(declined.message, carrying::leftOutDeclined());
    expectSameBook(book, before);
    EXPECT_FALSE(run.BookChanged);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(fakes.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(fakes.messages.lastText(),
              "4 journal lines are on account numbers that are not in the chart of "
              "accounts, and their balance is not 0:\n"
              "777, journal line 12: 5,00 Cr\n"
              "100-5, 2 lines from journal line 14: 70,25 Dr (counted under 100 \"Cash\" "
              "in the trial balance with sub-accounts folded)\n"
              "0 (no account), journal line 16: 20,00 Dr\n"
              "Their balance would go to account 1 \"Balance b/f\" and these lines would "
              "not be brought forward. Do you want to go on?");
    ASSERT_TRUE(carryForward(book, run, day(2025, 1, 6)).ok());
    const std::vector<Pair> expected = {
        {"1", "1", "30"}, {"100", "1", "99.5"}, {"100.1", "1", "75.5"}, {"1", "400", "290.25"}};
    EXPECT_EQ(pairsOf(book, day(2025, 1, 6), strings::text(272)), expected);
    EXPECT_EQ(fakes.messages.lastText(), fakes.messages.shown[0].text);
}

TEST(CarryForward, BalancesTooLargeToHoldChangeNothing) {
    ScopedFakeServices fakes;
    Book book = tradingBook();
    const Currency huge = Currency::fromRaw(std::numeric_limits<std::int64_t>::max() - 1);
    book.EntryLines[0].Amount = book.EntryLines[1].Amount = huge;
    book.EntryLines[10].Amount = book.EntryLines[11].Amount = huge; // 100 debited twice
    const Book before = book;
    RunTimeState run;
    run.BookFilePath = "/books/big.acc";
    CarryForwardResult result = carryForward(book, run, day(2025, 1, 6));
    EXPECT_EQ(result.status, CarryForwardResult::Stopped);
    EXPECT_NE(result.message.find("100"), std::string::npos) << result.message;
    expectSameBook(book, before);
    EXPECT_EQ(run.BookFilePath, "/books/big.acc");
    EXPECT_FALSE(run.BookChanged);

    // Sums that pass the range on the way to balances that fit are carried.
    Book wide = tradingBook();
    for (const char* credit : {"400", "600"})
        addEntry(wide, "8", day(2024, 3, 2), "100", credit, "600000000000000");
    addEntry(wide, "9", day(2024, 3, 2), "400", "100", "600000000000000");
    ASSERT_TRUE(carryForward(wide, run, day(2025, 1, 6)).ok());
    EXPECT_EQ(pairsOf(wide, day(2025, 1, 6), strings::text(272))[1].amount, "600000000000099.5");
}
