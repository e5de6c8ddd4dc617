// The ledgers' figures on books at the edges of what a book can hold: shares
// of amounts beyond the precision of double, generated books whose T-accounts
// must add up to each account's balance, sums that pass the money range on
// the way, extreme account numbers and entries too large to list.
#include "ledgers/contra_lines.h"
#include "ledgers/journal_list.h"
#include "ledgers/running_balance.h"
#include "ledgers/t_account.h"

#include "ledger_book.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace ledgerbook;

TAccountOptions wholeJournal(const char* account) {
    TAccountOptions options;
    options.account = money(account);
    options.fromDate = feb(1);
    options.toDate = feb(28);
    return options;
}

std::vector<std::string> amounts(const TAccountHalf& half) {
    std::vector<std::string> shown;
    for (const TAccountRow& row : half.Rows)
        shown.push_back(row.Amount.toPlainString());
    return shown;
}

WideSum wide(const char* amount) {
    WideSum sum;
    sum += money(amount);
    return sum;
}

// 2^53 + 1 ten-thousandths: the first amount double cannot hold.
const char* const Beyond = "900719925474.0993";

TEST(LedgerFigures, SharesAreExactBeyondThePrecisionOfDouble) {
    Book book = handmade::emptyBook();
    handmade::setAccount(book, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(book, 2, Sales, "Sales", Revenue);
    handmade::setAccount(book, 3, Stock, "Stock", CurrentAsset);
    handmade::setAccount(book, 4, Rent, "Rent", Expense);
    handmade::addEntry(book, "1", feb(2), Cash, Sales, Beyond, "Big sale");
    // A debit shared between two credits: each share is the credit's amount.
    handmade::addLine(book, "2", feb(3), Debit, Stock, Beyond);
    handmade::addLine(book, "2", feb(3), Credit, Cash, "600719925474.0993");
    handmade::addLine(book, "2", feb(3), Credit, Rent, "300000000000", "Split");

    const TAccountLedger cash = buildTAccount(book, wholeJournal(Cash));
    EXPECT_EQ(cash.Message, "");
    EXPECT_EQ(amounts(cash.Debit), (std::vector<std::string>{Beyond}));
    EXPECT_EQ(cash.DebitTotalText, std::string("Total          900,719,925,474.10"));
    EXPECT_EQ(cash.Debit.Total, money(Beyond));
    EXPECT_EQ(cash.Credit.Total, money("600719925474.0993"));
    EXPECT_EQ(cash.Credit.CarriedDown, money("300000000000"));
    const TAccountLedger stock = buildTAccount(book, wholeJournal(Stock));
    EXPECT_EQ(amounts(stock.Debit),
              (std::vector<std::string>{"600719925474.0993", "300000000000"}));
    const RunningBalanceLedger running = buildRunningBalance(book, wholeJournal(Cash));
    ASSERT_EQ(running.Rows.size(), 2u);
    EXPECT_EQ(running.Rows[0].Debit, money(Beyond));
    EXPECT_EQ(running.Rows[1].Balance, money("300000000000"));

    // contraAmount x lineAmount / contraSum, rounded to even at exact halves.
    const struct {
        const char *line, *contra, *sum, *share;
    } shares[] = {
        {"3", "0.0001", "2", "0.0002"},   // 1.5 ten-thousandths
        {"1", "0.0001", "2", "0"},        // 0.5
        {"1", "0.0003", "2", "0.0002"},   // 1.5
        {"-1", "0.0003", "2", "-0.0002"}, // -1.5
        {"1", "-0.0001", "2", "0"},       // -0.5
        {"1", "0.0005", "-2", "-0.0002"}, // -2.5
        {"100", "1", "3", "33.3333"},
        {"200", "1", "3", "66.6667"},
        {"0.2885", "0.7", "1", "0.202"}, // a tie double misses
        {Beyond, "300000000000", Beyond, "300000000000"},
        {"922337203685477.5807", "922337203685477.5807", "922337203685477.5807",
         "922337203685477.5807"},
    };
    for (const auto& s : shares) {
        SCOPED_TRACE(std::string(s.line) + " x " + s.contra + " / " + s.sum);
        EXPECT_EQ(contraShare(money(s.line), money(s.contra), wide(s.sum)), money(s.share));
    }
    EXPECT_THROW(contraShare(money("900000000000000"), money("2"), wide("1")), CurrencyOverflow);
}

// Sixty balanced entries over six accounts, amounts beyond what double holds
// exactly (up to 10^12, every ten-thousandth used): one line against one to
// four, where every share divides evenly, or with `manyAgainstMany` two or
// three lines against two or three.
Book generatedBook(std::uint32_t seed, bool manyAgainstMany) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::uniform_int_distribution<std::int64_t> raw(1, 10'000'000'000'000'000);
    Book book = handmade::emptyBook();
    for (int a = 1; a <= 6; ++a)
        handmade::setAccount(book, a, std::to_string(100 * a), "Account", CurrentAsset);
    for (int e = 1; e <= 60; ++e) {
        std::vector<Currency> many(
            static_cast<std::size_t>(manyAgainstMany ? 2 + pick(2) : 1 + pick(4)));
        Currency total;
        for (Currency& amount : many)
            total += amount = Currency::fromRaw(raw(random));
        const int parts = manyAgainstMany ? 2 + pick(2) : 1;
        std::vector<Currency> few(static_cast<std::size_t>(parts),
                                  Currency::fromRaw(total.raw / parts));
        few.back() += Currency::fromRaw(total.raw % parts);
        const bool manyDebits = pick(2) == 0;
        const double date = feb(1 + pick(28));
        for (const int side : {Debit, Credit})
            for (const Currency amount : (side == Debit) == manyDebits ? many : few)
                handmade::addLine(book, std::to_string(e), date, side,
                                  std::to_string(100 * (1 + pick(6))), amount.toPlainString());
        book.EntryLines.back().Details = "Entry";
    }
    return book;
}

TEST(LedgerFigures, TAccountsOfGeneratedBooksAddUpToTheBalance) {
    for (const bool manyAgainstMany : {false, true}) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            const Book book = generatedBook(seed, manyAgainstMany);
            for (int a = 1; a <= 6; ++a) {
                SCOPED_TRACE("seed " + std::to_string(seed) + (manyAgainstMany ? " many" : " one") +
                             ", account " + std::to_string(a));
                TAccountOptions options;
                options.account = Currency::fromUnits(100 * a);
                options.fromDate = feb(10); // part of it brought forward
                options.toDate = feb(28);
                // The balance the trial balance shows: debits less credits.
                WideSum balance;
                for (const EntryLine& line : book.EntryLines) {
                    if (line.AccountNumber != options.account) continue;
                    if (line.Side == Debit) balance += line.Amount;
                    if (line.Side == Credit) balance -= line.Amount;
                }
                // Within 0.0001 a row; exact where every share divides evenly.
                auto expectNear = [&](WideSum shown, std::size_t rows) {
                    const __int128 off = shown.raw - balance.raw;
                    const __int128 allowed = manyAgainstMany ? static_cast<__int128>(rows) : 0;
                    EXPECT_TRUE(-allowed <= off && off <= allowed) << static_cast<long long>(off);
                };

                const TAccountLedger ledger = buildTAccount(book, options);
                ASSERT_EQ(ledger.Message, "");
                WideSum shown;
                shown += ledger.Debit.Total;
                shown -= ledger.Credit.Total;
                expectNear(shown, ledger.Debit.Rows.size() + ledger.Credit.Rows.size());
                // The running balance ends on the same figure.
                const RunningBalanceLedger running = buildRunningBalance(book, options);
                ASSERT_EQ(running.Message, "");
                ASSERT_FALSE(running.Rows.empty());
                WideSum last;
                last += running.Rows.back().Balance;
                expectNear(last, running.Rows.size());
            }
        }
    }
}

// Debits and credits that pass the money range on the way while every figure
// shown fits: the ledgers are built. A figure shown that does not fit stops
// the build with its message.
TEST(LedgerFigures, SumsMayPassTheMoneyRangeOnTheWay) {
    const char* const Huge = "900000000000000";
    Book book = handmade::emptyBook();
    handmade::setAccount(book, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(book, 2, Stock, "Stock", CurrentAsset);
    Book cancelling = book;
    // Before the period: stock bought twice and sold twice, a balance of 0
    // reached through 1.8e15; then one purchase in the period.
    handmade::addEntry(book, "1", day(2026, 1, 5), Stock, Cash, Huge);
    handmade::addEntry(book, "2", day(2026, 1, 6), Stock, Cash, Huge);
    handmade::addEntry(book, "3", day(2026, 1, 7), Cash, Stock, Huge);
    handmade::addEntry(book, "4", day(2026, 1, 8), Cash, Stock, Huge);
    handmade::addEntry(book, "5", feb(2), Stock, Cash, Huge);
    // Two purchases and a debit that takes one back: a debit total of 9e14
    // reached through 1.8e15.
    handmade::addEntry(cancelling, "1", feb(2), Stock, Cash, Huge);
    handmade::addEntry(cancelling, "2", feb(3), Stock, Cash, Huge);
    handmade::addEntry(cancelling, "3", feb(4), Stock, Cash, "-900000000000000");

    const RunningBalanceLedger running = buildRunningBalance(book, wholeJournal(Stock));
    EXPECT_EQ(running.Message, "");
    ASSERT_EQ(running.Rows.size(), 2u);
    EXPECT_EQ(running.Rows[0].Balance, Currency()); // the opening row
    EXPECT_EQ(running.Rows[1].Balance, money(Huge));
    const TAccountLedger tAccount = buildTAccount(cancelling, wholeJournal(Stock));
    EXPECT_EQ(tAccount.Message, "");
    EXPECT_EQ(amounts(tAccount.Debit), (std::vector<std::string>{Huge, Huge, "-900000000000000"}));
    EXPECT_EQ(tAccount.DebitTotalText, "Total          900,000,000,000,000.00");
    EXPECT_EQ(tAccount.Credit.CarriedDown, money(Huge));

    // A balance shown past the range stops the running balance at that row;
    // a b/f amount past it leaves the T-account without totals.
    const RunningBalanceLedger tooLarge = buildRunningBalance(cancelling, wholeJournal(Stock));
    EXPECT_EQ(tooLarge.Message, "Stopping due to Processing error");
    EXPECT_EQ(tooLarge.Rows.size(), 1u);
    const TAccountLedger broughtForward = buildTAccount(book, wholeJournal(Stock));
    EXPECT_EQ(broughtForward.Message, "Stopping due to Processing error");
    EXPECT_EQ(broughtForward.DebitTotalText, "");
    EXPECT_EQ(amounts(broughtForward.Debit), (std::vector<std::string>{Huge}));
}

// Account numbers at both ends of the money range: folding them into their
// main account never overflows, in any of the three builders.
TEST(LedgerFigures, ExtremeAccountNumbersAreListed) {
    const char* const Lowest = "-922337203685477.5808";
    const char* const LowestMain = "-922337203685477";
    const char* const Highest = "922337203685477.5807";
    Book book = handmade::emptyBook();
    handmade::setAccount(book, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(book, 2, Lowest, "Lowest", Other);
    handmade::setAccount(book, 3, LowestMain, "Lowest main", Other);
    handmade::setAccount(book, 4, Highest, "Highest", Other);
    handmade::addEntry(book, "1", feb(2), Cash, Lowest, "5", "Low");
    handmade::addEntry(book, "2", feb(3), Highest, Cash, "7", "High");
    handmade::addEntry(book, "3", feb(4), LowestMain, Cash, "11", "Main");
    handmade::addEntry(book, "4", feb(5), "-922337203685477.0001", Cash, "13", "Near");

    const struct {
        const char* account;
        std::vector<std::int32_t> listed;
        const char* debitTotal; // of the T-account
    } cases[] = {
        {Cash, {0, 1, 2, 3, 4, 5, 6, 7}, "0"}, // contra lines name accounts above 0
        {Lowest, {0, 1}, "0"},
        {LowestMain, {0, 1, 4, 5, 6, 7}, "24"}, // gathers the sub-accounts below it
        {Highest, {2, 3}, "7"},
        {"922337203685477", {2, 3}, "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.account);
        JournalOptions options;
        options.account = money(c.account);
        options.fromDate = feb(1);
        options.toDate = feb(28);
        EXPECT_EQ(buildJournalList(book, options).ShownLines, c.listed);
        TAccountOptions tOptions;
        static_cast<LedgerChoice&>(tOptions) = options;
        const TAccountLedger ledger = buildTAccount(book, tOptions);
        EXPECT_EQ(ledger.Message, "");
        EXPECT_EQ(ledger.Debit.Total, money(c.debitTotal));
        EXPECT_EQ(buildRunningBalance(book, options).Message, "");
    }
}

// An entry with a contra on every line gives rows that grow with the square
// of its lines: beyond the bound the build is refused whole, with a message.
TEST(LedgerFigures, LedgersTooLargeForMemoryAreRefusedWhole) {
    Book book = handmade::emptyBook();
    handmade::setAccount(book, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(book, 2, Stock, "Stock", CurrentAsset);
    handmade::setAccount(book, 3, Rent, "Rent", Expense);
    handmade::addEntry(book, "1", feb(1), Rent, Cash, "3", "Small");
    const int side = 4500; // 4,500 x 4,500 = 20,250,000 rows
    for (int i = 0; i < side; ++i)
        handmade::addLine(book, "2", feb(2), Debit, Stock, "1");
    for (int i = 0; i < side; ++i)
        handmade::addLine(book, "2", feb(2), Credit, Cash, "1", i + 1 == side ? "Giant" : "");

    const std::string message = "This ledger would hold 20,250,000 rows, more than the "
                                "20,000,000 it can show. Choose a shorter period or another "
                                "account.";
    const TAccountLedger stock = buildTAccount(book, wholeJournal(Stock));
    EXPECT_EQ(stock.Message, message);
    EXPECT_TRUE(stock.Debit.Rows.empty());
    EXPECT_TRUE(stock.Credit.Rows.empty());
    EXPECT_EQ(stock.LedgerRows, 0);
    EXPECT_EQ(stock.DebitTotalText, "");
    const RunningBalanceLedger running = buildRunningBalance(book, wholeJournal(Cash));
    EXPECT_EQ(running.Message, "This ledger would hold 20,250,001 rows, more than the "
                               "20,000,000 it can show. Choose a shorter period or another "
                               "account.");
    EXPECT_TRUE(running.Rows.empty());

    // Outside the giant entry's day the same accounts build as usual.
    TAccountOptions firstDay = wholeJournal(Cash);
    firstDay.toDate = feb(1);
    const TAccountLedger cash = buildTAccount(book, firstDay);
    EXPECT_EQ(cash.Message, "");
    EXPECT_EQ(amounts(cash.Credit), (std::vector<std::string>{"3"}));
}

} // namespace
