#include "statements/net_profit.h"

#include "../book/hand_made_books.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace handmade;

namespace {

double day(int m, int d) {
    return handmade::day(2024, m, d);
}

// Sales 400 (revenue) with a sub-account 400.2 missing from the chart,
// purchases 500 (cost), wages 600 (expense) with a sub-account 600.1 classed
// as revenue, rent 610 (expense) that nets to 0, cash and capital.
Book shopBook() {
    Book book = emptyBook();
    // Every entry under reference 1, without notes.
    auto entry = [&](double date, const char* debit, const char* credit, const char* amount) {
        addEntry(book, "1", date, debit, credit, amount, "");
    };
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "300", "Capital", CapitalEquity);
    setAccount(book, 3, "400", "Sales", Revenue);
    setAccount(book, 4, "500", "Purchases", CostOfGoodsSold);
    setAccount(book, 5, "600", "Wages", Expense);
    setAccount(book, 6, "600.1", "Wages recharged", Revenue);
    setAccount(book, 7, "610", "Rent", Expense);
    setAccount(book, 8, "400", "Sales again",
               Expense); // the second slot of a number gathers nothing
    entry(day(1, 2), "100", "300", "5000");
    entry(day(1, 10), "100", "400", "1000");
    entry(day(1, 15), "400", "100", "200");
    entry(day(2, 1), "500", "100", "300.5");
    entry(day(2, 5), "600", "100", "150");
    entry(day(2, 6), "100", "600.1", "40");
    entry(day(2, 7), "610", "100", "80");
    entry(day(3, 2), "100", "610", "80");
    addLine(book, "1", day(3, 10), Unfilled, "400", "10"); // no side: counts as a credit
    entry(day(4, 1), "999", "100", "50");                  // no such account: counts nowhere
    entry(day(4, 5), "100", "400.2", "60");                // folds into 400
    return book;
}

} // namespace

TEST(NetProfit, WholeJournalByHandFoldedAndUnfolded) {
    const Book book = shopBook();
    // Folded: 400 = 1000 - 200 + 10 + 60 = 870; 600 = 150 - 40 = 110; 610 = 0.
    const IncomeStatementPeriod all{.allDates = true};
    IncomeSums folded = computeIncomeSums(book, all);
    ASSERT_TRUE(folded.ok);
    ASSERT_EQ(folded.revenue.size(), 1u);
    EXPECT_EQ(folded.revenue[0].name, "Sales");
    EXPECT_EQ(folded.revenue[0].slot, 3);
    EXPECT_EQ(folded.revenue[0].amount, money("870"));
    ASSERT_EQ(folded.cost.size(), 1u);
    EXPECT_EQ(folded.cost[0].amount, money("300.5"));
    ASSERT_EQ(folded.expenses.size(), 1u);
    EXPECT_EQ(folded.expenses[0].name, "Wages");
    EXPECT_EQ(folded.expenses[0].amount, money("110"));
    EXPECT_EQ(folded.grossProfit, money("569.5"));
    EXPECT_EQ(folded.netProfit, money("459.5"));
    const NetProfitResult rolledOver = netProfitOfAllDates(book);
    EXPECT_TRUE(rolledOver.ok);
    EXPECT_EQ(rolledOver.netProfit, money("459.5"));

    // Each number apart: 400.2 is in no slot; 600.1 is a revenue row of its own.
    const IncomeStatementPeriod apart{.allDates = true, .includeSubAccounts = true};
    IncomeSums unfolded = computeIncomeSums(book, apart);
    ASSERT_TRUE(unfolded.ok);
    ASSERT_EQ(unfolded.revenue.size(), 2u);
    EXPECT_EQ(unfolded.revenue[0].amount, money("810"));
    EXPECT_EQ(unfolded.revenue[1].name, "Wages recharged");
    EXPECT_EQ(unfolded.revenue[1].amount, money("40"));
    EXPECT_EQ(unfolded.revenueTotal, money("850"));
    EXPECT_EQ(unfolded.expenseTotal, money("150"));
    EXPECT_EQ(unfolded.netProfit, money("399.5"));

    // A sub-account of 0 (no account) is its own main account: the roll-over
    // shares its revenue, folded or apart.
    Book zero = emptyBook();
    setAccount(zero, 1, "100", "Cash", CurrentAsset);
    setAccount(zero, 2, "0.5", "Sundry income", Revenue);
    addEntry(zero, "1", day(1, 2), "100", "0.5", "70");
    EXPECT_EQ(netProfitOfAllDates(zero).netProfit, money("70"));
    EXPECT_EQ(computeIncomeSums(zero, apart).netProfit, money("70"));
}

TEST(NetProfit, PeriodBoundsAreInclusiveWholeDays) {
    const Book book = shopBook();
    IncomeStatementPeriod february{.start = day(2, 1), .end = day(2, 6)};
    IncomeSums folded = computeIncomeSums(book, february);
    ASSERT_TRUE(folded.ok);
    EXPECT_TRUE(folded.revenue.empty());
    EXPECT_EQ(folded.costTotal, money("300.5"));  // 1 February counts
    EXPECT_EQ(folded.expenseTotal, money("110")); // 6 February counts, 7 February not
    EXPECT_EQ(folded.netProfit, money("-410.5"));
    february.includeSubAccounts = true;
    IncomeSums unfolded = computeIncomeSums(book, february);
    EXPECT_EQ(unfolded.revenueTotal, money("40"));
    EXPECT_EQ(unfolded.expenseTotal, money("150"));
    EXPECT_EQ(unfolded.netProfit, money("-410.5"));

    // Lines stamped with a time on the end day are compared by their whole day.
    Book late = book;
    late.EntryLines[10].Date = late.EntryLines[11].Date = day(2, 6) + 0.5;
    EXPECT_EQ(computeIncomeSums(late, february).expenseTotal, money("150"));

    const IncomeStatementPeriod empty{.start = day(6, 1), .end = day(5, 1)};
    IncomeSums none = computeIncomeSums(book, empty);
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.revenue.empty() && none.cost.empty() && none.expenses.empty());
    EXPECT_EQ(none.netProfit, Currency());
}

TEST(NetProfit, TotalsTooLargeStopWithAMessage) {
    Book book = shopBook();
    const Currency huge = Currency::fromRaw(std::numeric_limits<std::int64_t>::max() - 5);
    book.EntryLines[3].Amount = huge;  // a credit on sales
    book.EntryLines[20].Amount = huge; // and one on 400.2, folded into sales
    const IncomeStatementPeriod all{.allDates = true};
    IncomeSums sums = computeIncomeSums(book, all);
    EXPECT_FALSE(sums.ok);
    EXPECT_FALSE(sums.message.empty());
    const NetProfitResult profit = netProfitOfAllDates(book);
    EXPECT_FALSE(profit.ok);
    EXPECT_NE(profit.message.find("too large"), std::string::npos);

    // Expenses as large bring the net profit back in range: the statement,
    // which shows its totals, is still refused; the net profit alone is made.
    book.EntryLines[8].Amount = huge;  // a debit on wages
    book.EntryLines[12].Amount = huge; // and one on rent
    EXPECT_FALSE(computeIncomeSums(book, all).ok);
    // 400: 2 huge - 200 + 10; 500: 300.5; 600: huge - 40; 610: huge - 80.
    EXPECT_EQ(netProfitOfAllDates(book).netProfit, money("-370.5"));
}
