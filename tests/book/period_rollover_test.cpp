#include "book/period_rollover.h"

#include "hand_made_books.h"
#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "statements/net_profit.h"

#include <gtest/gtest.h>

#include <limits>

using namespace handmade;

namespace {

// One line of the new journal per text: "D 300 60 /273" (side, account,
// amount, note kind: "" none, 272 brought forward, 273 distribution).
std::vector<std::string> linesOf(const Book& book, double date) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < book.EntryLines.size(); ++i) {
        const EntryLine& l = book.EntryLines[i];
        EXPECT_EQ(l.Date, date);
        EXPECT_TRUE(book.EntryIds[i].neverAssigned());
        std::string note = l.Details.empty()                 ? ""
                           : l.Details == strings::text(272) ? " /272"
                           : l.Details == strings::text(273) ? " /273"
                                                             : " /" + l.Details;
        out.push_back(std::string(l.Side == Debit ? "D " : "C ") + l.AccountNumber.toPlainString() +
                      " " + l.Amount.toPlainString() + note);
    }
    return out;
}

// Capital accounts 300 and 310 with the given balances (made against cash
// 100), revenue and expense lines, the last line dated 30 June 2024.
Book capitalBook(const std::string& capital300, const std::string& capital310) {
    Book book = emptyBook();
    setAccount(book, 1, "100", "Cash", CurrentAsset);
    setAccount(book, 2, "300", "Capital A", CapitalEquity);
    setAccount(book, 3, "310", "Capital B", CapitalEquity);
    setAccount(book, 4, "400", "Sales", Revenue);
    setAccount(book, 5, "500", "Purchases", CostOfGoodsSold);
    setAccount(book, 6, "600", "Wages", Expense);
    auto capital = [&](const std::string& account, const std::string& balance) {
        if (balance == "0") return;
        if (balance[0] == '-')
            addEntry(book, "1", day(2024, 1, 1), "100", account, balance.substr(1));
        else
            addEntry(book, "1", day(2024, 1, 1), account, "100", balance);
    };
    capital("300", capital300);
    capital("310", capital310);
    addEntry(book, "2", day(2024, 3, 1), "100", "400", "700");
    addEntry(book, "3", day(2024, 4, 1), "500", "100", "200");
    addEntry(book, "4", day(2024, 6, 30), "600", "100", "400");
    return book;
}

} // namespace

TEST(PeriodRollOver, ProfitAndLossSharedByCapitalRatio) {
    ScopedFakeServices fakes;
    // Capital -600 and -400; cash 600 + 400 + 700 - 200 - 400 = 1100.
    Book profit = capitalBook("-600", "-400");
    RunTimeState run;
    run.BookFilePath = "/books/2024.acc";
    run.NetProfit = money("100");
    RollOverResult result = rollOver(profit, run, money("100"));
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.message, "");
    const std::vector<std::string> profitLines = {
        "D 100 1100",     "C 1 1100 /272", "D 1 600",       "C 300 600 /272", "D 1 400",
        "C 310 400 /272", "D 1 60",        "C 300 60 /273", "D 1 40",         "C 310 40 /273"};
    EXPECT_EQ(linesOf(profit, day(2024, 6, 30)), profitLines);
    EXPECT_EQ(result.linesWritten, 10);
    EXPECT_EQ(run.BookFilePath, "");
    EXPECT_TRUE(run.BookChanged);
    EXPECT_EQ(run.NetProfit, Currency());
    EXPECT_EQ(run.CurrentLastLine, 9);

    Book loss = capitalBook("-600", "-400");
    ASSERT_TRUE(rollOver(loss, run, money("-100")).ok());
    const std::vector<std::string> lossTail = {"D 300 60", "C 1 60 /273", "D 310 40",
                                               "C 1 40 /273"};
    const std::vector<std::string> lines = linesOf(loss, day(2024, 6, 30));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()), lossTail);
}

TEST(PeriodRollOver, SharesRoundToTwoDecimalsHalvesToEven) {
    auto share = [](const char* profit, const char* balance, const char* total) {
        return capitalShare(money(profit), money(balance), WideSum{} += money(total));
    };
    EXPECT_EQ(share("100", "-1", "-3"), money("33.33"));
    EXPECT_EQ(share("0.25", "-5", "-10"), money("0.12"));
    EXPECT_EQ(share("0.75", "-5", "-10"), money("0.38"));
    EXPECT_EQ(share("-0.25", "-5", "-10"), money("-0.12"));
    EXPECT_EQ(share("-0.75", "5", "10"), money("-0.38"));
    EXPECT_EQ(share("10.05", "1", "2"), money("5.02"));
    EXPECT_THROW(share("922337203685477.5807", "1000", "0.0001"), CurrencyOverflow);
    EXPECT_THROW(share("1", "1", "0"), CurrencyOverflow);

    // 100 profit over three equal capitals: 33.33 each, the odd 0.01 is lost.
    ScopedFakeServices fakes;
    Book book = capitalBook("-100", "-100");
    setAccount(book, 7, "320", "Capital C", CapitalEquity);
    addEntry(book, "9", day(2024, 6, 30), "100", "320", "100");
    RunTimeState run;
    ASSERT_TRUE(rollOver(book, run, money("100")).ok());
    const std::vector<std::string> lines = linesOf(book, day(2024, 6, 30));
    const std::vector<std::string> tail = {"D 1 33.33", "C 300 33.33 /273",
                                           "D 1 33.33", "C 310 33.33 /273",
                                           "D 1 33.33", "C 320 33.33 /273"};
    EXPECT_EQ(std::vector<std::string>(lines.end() - 6, lines.end()), tail);

    // Sums and a capital total past the range on the way to balances that fit.
    Book wide = capitalBook("0", "0");
    setAccount(wide, 7, "150", "Equipment", NonCurrentAsset);
    for (const char* capital : {"300", "310"})
        addEntry(wide, "5", day(2024, 6, 30), "100", capital, "600000000000000");
    addEntry(wide, "6", day(2024, 6, 30), "150", "100", "600000000000000");
    ASSERT_TRUE(rollOver(wide, run, money("100")).ok());
    const std::vector<std::string> wideLines = linesOf(wide, day(2024, 6, 30));
    EXPECT_EQ(wideLines.front() + ", " + wideLines.back(), "D 100 600000000000100, C 310 50 /273");
}

TEST(PeriodRollOver, ALossSharedBetweenCapitalOfOppositeSignsBooksExactlyTheLoss) {
    ScopedFakeServices fakes;
    // Capital -1000 and drawings-like +400: total -600. A loss of 120 gives
    // shares -200 and +80, which together take exactly 120 off capital.
    Book book = capitalBook("-1000", "400");
    RunTimeState run;
    ASSERT_TRUE(rollOver(book, run, money("-120")).ok());
    const std::vector<std::string> lines = linesOf(book, day(2024, 6, 30));
    const std::vector<std::string> tail = {"D 300 200", "C 1 200 /273", "D 1 80", "C 310 80 /273"};
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()), tail);
    Currency capitalMovement; // credits less debits on 300 and 310 in the share pairs
    for (auto l = book.EntryLines.end() - 4; l != book.EntryLines.end(); ++l)
        if (l->AccountNumber != money("1"))
            capitalMovement += l->Side == Credit ? l->Amount : -l->Amount;
    EXPECT_EQ(capitalMovement, money("-120"));
}

TEST(PeriodRollOver, IncomeAccountsCloseAndOtherAccountsCarry) {
    ScopedFakeServices fakes;
    // No capital account: balances forward, the profit dropped with a message.
    Book book = capitalBook("0", "0");
    addEntry(book, "5", day(2024, 7, 2), "100", "1", "500");
    RunTimeState run;
    RollOverResult result = rollOver(book, run, money("100"));
    ASSERT_TRUE(result.ok());
    EXPECT_NE(result.message.find("profit of 100"), std::string::npos) << result.message;
    // Cash 700 - 200 - 400 + 500 = 600; account 1 -500; no revenue, cost or expense lines.
    const std::vector<std::string> expected = {"D 1 500", "C 1 500 /272", "D 100 600",
                                               "C 1 600 /272"};
    EXPECT_EQ(linesOf(book, day(2024, 7, 2)), expected);

    // A two-line journal rolls over too.
    Book two = emptyBook();
    setAccount(two, 1, "100", "Cash", CurrentAsset);
    setAccount(two, 2, "300", "Capital", CapitalEquity);
    addEntry(two, "1", day(2024, 2, 2), "100", "300", "500");
    ASSERT_TRUE(rollOver(two, run, Currency()).ok());
    const std::vector<std::string> opening = {"D 100 500", "C 1 500 /272", "D 1 500",
                                              "C 300 500 /272"};
    EXPECT_EQ(linesOf(two, day(2024, 2, 2)), opening);

    // A capital number held by two slots is carried and shared once.
    Book twice = capitalBook("-600", "-400");
    setAccount(twice, 7, "300", "Capital A again", CapitalEquity);
    ASSERT_TRUE(rollOver(twice, run, money("100")).ok());
    EXPECT_EQ(twice.EntryLines.size(), 10u);

    // Sub-accounts close or carry with their main account (400.1 with Sales, 100.1 with Cash), as
    // numbers the chart lacks do (400.5); account 1 takes only what it asks about (100.5).
    Book sub = capitalBook("-600", "-400");
    setAccount(sub, 7, "400.1", "Online sales", CurrentAsset);
    setAccount(sub, 8, "100.1", "Cash short", Expense);
    addEntry(sub, "5", day(2024, 6, 30), "100", "400.1", "70");
    addEntry(sub, "6", day(2024, 6, 30), "100.1", "100", "5");
    addEntry(sub, "7", day(2024, 6, 30), "100", "400.5", "50");
    addEntry(sub, "8", day(2024, 6, 30), "100.5", "100", "20");
    const Currency profit = netProfitOfAllDates(sub).netProfit;
    const Book before = sub;
    fakes.messages.answers = {MessageAnswer::No}; // then Yes
    EXPECT_EQ(rollOver(sub, run, profit).status, RollOverResult::Declined);
    expectSameBook(sub, before);
    ASSERT_TRUE(rollOver(sub, run, profit).ok());
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_NE(fakes.messages.lastText().find(
                  ":\n100.5, journal line 17: 20.00 Dr (counted under 100 \"Cash\" in the trial "
                  "balance with sub-accounts folded)\nTheir"),
              std::string::npos)
        << fakes.messages.lastText();
    const std::vector<std::string> carried = {
        "D 100 1195", "C 1 1195 /272", "D 1 600", "C 300 600 /272", "D 1 400", "C 310 400 /272",
        "D 100.1 5",  "C 1 5 /272",    "D 1 132", "C 300 132 /273", "D 1 88",  "C 310 88 /273"};
    EXPECT_EQ(linesOf(sub, day(2024, 6, 30)), carried); // account 1 keeps 100.5's 20
}

TEST(PeriodRollOver, StopsWithoutChangeOnAZeroCapitalTotalOrAnOverflow) {
    ScopedFakeServices fakes;
    Book book = capitalBook("-500", "500");
    const Book before = book;
    RunTimeState run;
    run.BookFilePath = "/books/2024.acc";
    run.NetProfit = money("100");
    RollOverResult result = rollOver(book, run, money("100"));
    EXPECT_EQ(result.status, RollOverResult::Stopped);
    EXPECT_EQ(result.message, strings::text(274));
    expectSameBook(book, before);
    EXPECT_EQ(run.BookFilePath, "/books/2024.acc");
    EXPECT_FALSE(run.BookChanged);
    EXPECT_EQ(run.NetProfit, money("100"));

    Book tiny = capitalBook("-1000", "999.9999"); // total -0.0001
    const Book tinyBefore = tiny;
    result = rollOver(tiny, run, Currency::fromRaw(std::numeric_limits<std::int64_t>::max() / 2));
    EXPECT_EQ(result.status, RollOverResult::Stopped);
    EXPECT_FALSE(result.message.empty());
    expectSameBook(tiny, tinyBefore);
    EXPECT_FALSE(run.BookChanged);
}
