// The ledgers' figures on books at the edges of what a book can hold: shares
// of amounts beyond the precision of double, generated hostile books whose
// T-accounts and running balances must add up to each account's balance in
// the trial balance, sums that pass the money range on the way, extreme
// account numbers and entries too large to list.
#include "ledgers/contra_lines.h"
#include "ledgers/journal_list.h"
#include "ledgers/running_balance.h"
#include "ledgers/t_account.h"

#include "book/account_number_rule.h"
#include "book/tmain.h"
#include "ledger_book.h"
#include "platform/fake/fake_services.h"
#include "statements/inflows_outflows.h"
#include "statements/statement_sums.h"
#include "statements/trial_balance.h"
#include "support/hostile_books.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace ledgerbook;

constexpr auto* wholeJournal = &inFebruary<TAccountOptions>;

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
    EXPECT_EQ(running.Rows[0].debit(), money(Beyond));
    EXPECT_EQ(running.Rows[1].Balance, money("300000000000"));

    // A first share: contraAmount x lineAmount / contraSum, rounded to even at
    // exact halves.
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
        ContraShares walk(money(s.line), wide(s.sum));
        const Currency first = walk.next(money(s.contra)).value();
        EXPECT_EQ(first, money(s.share));
        // The rest of the contra amounts take the rest of the line, exactly.
        EXPECT_EQ(walk.next((wide(s.sum) - wide(s.contra)).value()).value(), money(s.line) - first);
    }
    EXPECT_EQ(ContraShares(money("900000000000000"), wide("1")).next(money("2")).raw,
              (wide("900000000000000") + wide("900000000000000")).raw);
}

// Whether a ledger must refuse (a figure it shows beyond the money range),
// must not, or may either way (a figure within its rounding of an end, or
// one too large to work out here).
enum class Refusal { No, Yes, Either };

// One account's figures worked out from the journal by the rules of the
// reports, for a period that ends on the trial balance's day.
struct AccountFigures {
    WideSum balance; // debits less credits up to the day; a line on no side is a credit
    // The T-account's halves: the lines before the period whole in the b/f
    // rows, each line in the period whole in its rows (its shares add up to
    // it, or it makes one row of its own amount).
    WideSum debit, credit, broughtDebit, broughtCredit;
    // What both ledgers leave out: lines on no side (the book holds them
    // with no amount).
    WideSum leftOut;
    Refusal shareBeyond = Refusal::No; // a share beyond the money range
    bool ownRow = false;               // a line with no contra line to share it by
    bool negativeLine = false;         // a line below zero shared among contra lines
};

bool inRange(__int128 v) {
    return v >= INT64_MIN && v <= INT64_MAX;
}

// Whether a share of `amount` among `contras` (adding up to `sum`, not 0)
// lies beyond the money range. The k-th share is amount x (the first k
// contras) / sum rounded, less the same for the first k - 1: each rounding
// moves a quotient by one at most, and none where it divides evenly.
void checkShares(Refusal& shareBeyond, const std::vector<Currency>& contras, __int128 amount,
                 __int128 sum) {
    __int128 parts = 0, before = 0, product = 0;
    bool beforeEven = true;
    for (const Currency contra : contras) {
        parts += contra.raw;
        if (__builtin_mul_overflow(amount, parts, &product)) {
            if (shareBeyond == Refusal::No) shareBeyond = Refusal::Either;
            return;
        }
        const __int128 quotient = product / sum;
        const bool even = product % sum == 0;
        const __int128 share = quotient - before, slack = !even + !beforeEven;
        if (!inRange(share - slack) && !inRange(share + slack))
            shareBeyond = Refusal::Yes;
        else if ((!inRange(share - slack) || !inRange(share + slack)) && shareBeyond == Refusal::No)
            shareBeyond = Refusal::Either;
        before = quotient;
        beforeEven = even;
    }
}

// The figures of every main account (sub-accounts folded in) that has lines.
std::map<std::int64_t, AccountFigures> accountFigures(const Book& book, double fromDay,
                                                      double lastDay) {
    std::map<std::int64_t, AccountFigures> figures;
    const auto& lines = book.EntryLines;
    std::size_t first = 0;
    for (std::size_t end = 0; end < lines.size(); ++end) {
        if (!closesEntry(lines[end].Details) && end + 1 < lines.size()) continue;
        // The entry's lines that name an account, by side.
        std::vector<Currency> sides[3];
        WideSum sums[3];
        for (std::size_t k = first; k <= end; ++k)
            if (lines[k].AccountNumber.raw != 0 && lines[k].Side <= Credit) {
                sides[lines[k].Side].push_back(lines[k].Amount);
                sums[lines[k].Side] += lines[k].Amount;
            }
        for (std::size_t i = first; i <= end; ++i) {
            const EntryLine& line = lines[i];
            const double day = std::trunc(line.Date); // the whole day, also before 1899
            if (day > lastDay) continue;
            AccountFigures& f = figures[mainAccountOf(line.AccountNumber).raw];
            const bool isDebit = line.Side == Debit;
            WideSum counted; // as the trial balance counts it
            counted.raw = isDebit ? line.Amount.raw : -static_cast<__int128>(line.Amount.raw);
            f.balance += counted;
            if (line.Side != Debit && line.Side != Credit) {
                f.leftOut += counted;
                continue;
            }
            WideSum& half = isDebit ? f.debit : f.credit;
            half += line.Amount;
            if (day < fromDay) {
                (isDebit ? f.broughtDebit : f.broughtCredit) += line.Amount;
                continue;
            }
            const std::vector<Currency>& contras = sides[isDebit ? Credit : Debit];
            const __int128 sum = sums[isDebit ? Credit : Debit].raw;
            const bool sharable = !contras.empty() && sum != 0;
            f.ownRow |= !sharable;
            f.negativeLine |= sharable && line.Amount.raw < 0;
            if (sharable) checkShares(f.shareBeyond, contras, line.Amount.raw, sum);
        }
        first = end + 1;
    }
    return figures;
}

Refusal expectedRefusal(const AccountFigures& f) {
    if (f.shareBeyond == Refusal::Yes || !f.broughtDebit.fits() || !f.broughtCredit.fits() ||
        !f.debit.fits() || !f.credit.fits() || !(f.debit - f.credit).fits() ||
        !(f.credit - f.debit).fits()) // the c/d either way
        return Refusal::Yes;
    return f.shareBeyond;
}

// On every generated hostile book (those of the property test) each account
// with lines up to the trial balance's day has a T-account whose debit total
// less its credit total is the account's balance in the trial balance (sub-
// accounts folded in both), and a running balance that ends on it: every line
// counts with its sign, whether its contra lines take shares of it or it
// makes a row of its own. A balance out of the money range gives the
// T-account's message and marks the running balance's last row; the
// T-account alone says so for its totals or a share it shows.
TEST(LedgerFigures, TAccountsOfHostileBooksAddUpToTheTrialBalance) {
    ScopedFakeServices fakes(dayFirstLocale());
    // Periods about the edges of the dates a book holds, and about day 0
    // where times of day before 1899 must not move a line to another day.
    const std::pair<double, double> periods[] = {
        {-1, 2958465}, {-657434, -2}, {0, 45291}, {45000, 1000000}, {-1, -1}, {-657434, 2958465}};
    int compared = 0, ownRows = 0, negativeLines = 0, bothRefuse = 0, ledgerAlone = 0;
    int refusedBooks = 0, runningCompared = 0, runningMarked = 0, belowZero = 0;
    for (std::uint32_t n = 0; n < 300; ++n) {
        SCOPED_TRACE("book " + std::to_string(n));
        std::string fault;
        const Book book = hostile::heldBook(hostile::generatedBook(n), fault);
        ASSERT_EQ(fault, "");
        const auto [fromDay, lastDay] = periods[n % 6];
        const std::map<std::int64_t, AccountFigures> figures =
            accountFigures(book, fromDay, lastDay);

        const TrialBalance tb =
            computeTrialBalance(book, {.asOfDate = lastDay, .locale = dayFirstLocale()});
        // The accounts of the trial balance and whether it must refuse: a
        // balance or a column total beyond the money range.
        std::map<std::int64_t, WideSum> rows; // main account -> balance
        WideSum debits, credits;
        bool beyond = false;
        std::set<std::int64_t> keys = {0};
        for (int k = 0; k < book.slotsInUse(); ++k)
            keys.insert(mainAccountOf(book.AccountNumbers[k]).raw);
        for (const std::int64_t key : keys) {
            const auto it = figures.find(key);
            if (it == figures.end()) continue;
            const WideSum balance = it->second.balance;
            beyond |= !balance.fits();
            if (balance.raw > 0)
                debits += balance;
            else
                credits -= balance; // shown as a positive amount
            rows[key] = balance;
        }
        beyond |= !debits.fits() || !credits.fits();
        ASSERT_EQ(tb.ok, !beyond) << tb.message;
        refusedBooks += !tb.ok;
        std::map<std::int64_t, std::size_t> rowOf; // main account -> its row
        for (std::size_t r = 0; r < tb.rows.size(); ++r) {
            const TrialBalanceRow& row = tb.rows[r];
            const std::int64_t key = mainAccountOf(row.number).raw;
            rowOf[key] = r;
            const auto it = rows.find(key);
            const __int128 balance = it == rows.end() ? 0 : it->second.raw;
            EXPECT_TRUE(row.balance.raw == balance) << row.numberText;
        }

        for (const auto& account : rows) {
            const std::int64_t key = account.first;
            const AccountFigures& f = figures.at(key);
            ASSERT_TRUE(!tb.ok || rowOf.count(key));
            SCOPED_TRACE("account " + Currency::fromRaw(key).toPlainString());
            TAccountOptions options;
            options.account = Currency::fromRaw(key);
            options.fromDate = fromDay;
            options.toDate = lastDay;
            const TAccountLedger ledger = buildTAccount(book, options);
            const Refusal refusal = expectedRefusal(f);
            const bool refused = !ledger.Message.empty();
            if (refusal != Refusal::Either) {
                ASSERT_EQ(refused, refusal == Refusal::Yes) << ledger.Message;
            }
            // The balance beyond the range: the T-account refuses too, unless
            // it leaves out lines that bring its own figures back in range.
            EXPECT_TRUE(f.balance.fits() || refused || !f.leftOut.isZero());
            bothRefuse += refused && !f.balance.fits();
            ledgerAlone += refused && f.balance.fits();
            // The balance as the trial balance shows it, when it can.
            WideSum balance = f.balance;
            if (tb.ok) balance.raw = tb.rows[rowOf.at(key)].balance.raw;
            if (!refused) {
                const __int128 shown =
                    static_cast<__int128>(ledger.Debit.Total.raw) - ledger.Credit.Total.raw;
                const __int128 off = shown - (balance - f.leftOut).raw;
                EXPECT_TRUE(off == 0) << static_cast<long long>(off);
                ++compared;
                belowZero += key < 0;
                ownRows += f.ownRow;
                negativeLines += f.negativeLine;
            }

            // The running balance lists every row and ends on the same
            // figure, marked (and said) when it is beyond the money range.
            const RunningBalanceLedger running = buildRunningBalance(book, options);
            const WideSum last = balance - f.leftOut;
            ASSERT_FALSE(running.Refused) << running.Message;
            const RunningBalanceRow end =
                running.Rows.empty() ? RunningBalanceRow{} : running.Rows.back();
            EXPECT_EQ(end.BalanceTooLarge, !last.fits());
            EXPECT_TRUE(last.fits() ? end.Balance.raw == last.raw : !running.Message.empty())
                << static_cast<long long>(end.Balance.raw - last.raw) << running.Message;
            runningMarked += !last.fits();
            ++runningCompared;
        }
    }
    // The books reach every case the check is for.
    EXPECT_GE(compared, 500);
    EXPECT_GE(belowZero, 100); // accounts below zero, whose lines are contra lines too
    EXPECT_GE(runningCompared, 500);
    EXPECT_GE(runningMarked, 40);  // last balances beyond the range, marked
    EXPECT_GE(ownRows, 10);        // lines with nothing to share them by
    EXPECT_GE(negativeLines, 200); // amounts below zero shared among contra lines
    EXPECT_GE(bothRefuse, 40);
    EXPECT_GE(ledgerAlone, 15);
    EXPECT_GE(refusedBooks, 50);
    EXPECT_LE(refusedBooks, 200);
}

// Debits and credits that pass the money range on the way while every figure
// shown fits: the ledgers are built. A figure shown that does not fit says
// so; a sum past even the wide range stops the build and leaves no rows.
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

    // Balances (every row listed, coming back into range), shares of mixed
    // contra signs, b/f amounts and totals past the range show as too large.
    const RunningBalanceLedger tooLarge = buildRunningBalance(cancelling, wholeJournal(Stock));
    EXPECT_EQ(tooLarge.Message, "A figure of this running balance is beyond the range of amounts "
                                "and cannot be shown: the rows are listed, and the figure says "
                                "\"too large to show\".");
    ASSERT_EQ(tooLarge.Rows.size(), 3u);
    EXPECT_TRUE(!tooLarge.Refused && tooLarge.Rows[2].Balance == money(Huge)); // whole, marked
    const RunningBalanceLedger ten = buildRunningBalance(tenLineBook(), wholeJournal(Cash));
    std::string marks; // x: too large; the first ten rows add up to 922,337,203,685,477.00
    for (const RunningBalanceRow& row : ten.Rows)
        marks += row.BalanceTooLarge ? 'x' : '.';
    ASSERT_EQ(marks, std::string(10, '.') + std::string(179, 'x') + std::string(11, '.'));
    EXPECT_EQ(ten.Rows[189].Balance, money("922337203685477")); // back in range
    Book mixed = book;
    handmade::addEntry(mixed, "6", feb(3), Cash, Stock, Huge, "");
    handmade::addLine(mixed, "6", feb(3), Credit, Stock, "-899999999999999.9999", "Mixed");
    EXPECT_TRUE(buildRunningBalance(mixed, wholeJournal(Cash)).Rows[2].AmountTooLarge);
    EXPECT_TRUE(buildTAccount(mixed, wholeJournal(Cash)).Debit.Rows[1].TooLarge);
    for (const char* amount :
         {Huge, Huge, Huge, "-900000000000000", "-900000000000000", "-899999999999999.9999"})
        handmade::addLine(mixed, "7", feb(4), Credit, Stock, amount);
    handmade::addLine(mixed, "7", feb(4), Debit, Cash, Huge, "Beyond");
    const RunningBalanceLedger stopped = buildRunningBalance(mixed, wholeJournal(Cash));
    EXPECT_TRUE(stopped.Rows.empty() && stopped.Refused);
    const TAccountLedger stoppedT = buildTAccount(mixed, wholeJournal(Cash));
    EXPECT_TRUE(stoppedT.Debit.Rows.empty() && stoppedT.Refused);
    const TAccountLedger broughtForward = buildTAccount(book, wholeJournal(Stock));
    EXPECT_NE(broughtForward.Message.find("too large to show"), std::string::npos);
    EXPECT_EQ(broughtForward.DebitTotalText, "Total          too large to show");
    EXPECT_EQ(amounts(broughtForward.Debit), (std::vector<std::string>{"0", Huge}));
    EXPECT_TRUE(broughtForward.Debit.Rows[0].TooLarge);
    EXPECT_TRUE(broughtForward.Credit.Rows[0].TooLarge);
    EXPECT_EQ(broughtForward.Credit.CarriedDown, money(Huge));
}

// Accounts below zero or at the ends of the money range and lines of no account:
// folding never overflows, and ledgers and flows agree with the trial balance.
TEST(LedgerFigures, AccountsBelowZeroAndExtremeNumbersAgreeWithTheTrialBalance) {
    const char* const Lowest = "-922337203685477.5808";
    const char* const LowestMain = "-922337203685477";
    const char* const Highest = "922337203685477.5807";
    Book book = handmade::emptyBook();
    handmade::setAccount(book, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(book, 2, Lowest, "Lowest", Other);
    handmade::setAccount(book, 3, LowestMain, "Lowest main", Other);
    handmade::setAccount(book, 4, Highest, "Highest", Other);
    handmade::setAccount(book, 5, "-922337203685477.0001", "Near", Other);
    handmade::setAccount(book, 6, "-5", "Deposits", CurrentAsset);
    handmade::setAccount(book, 7, Sales, "Sales", Revenue);
    handmade::setAccount(book, 8, Rent, "Rent", Expense);
    handmade::addEntry(book, "1", feb(2), Cash, Lowest, "5", "Low");
    handmade::addEntry(book, "2", feb(3), Highest, Cash, "7", "High");
    handmade::addEntry(book, "3", feb(4), LowestMain, Cash, "11", "Main");
    handmade::addEntry(book, "4", feb(5), "-922337203685477.0001", Cash, "13", "Near");
    handmade::addEntry(book, "5", feb(6), "-5", Sales, "100", "Deposit");
    handmade::addEntry(book, "6", feb(7), Rent, "-5", "30", "Rent");
    handmade::addLine(book, "7", feb(8), Debit, Cash, "70");
    handmade::addLine(book, "7", feb(8), Credit, Sales, "20");
    handmade::addLine(book, "7", feb(8), Credit, "0", "50", "No account");
    // A credit whose account was never chosen, a pasted pair below zero and
    // contra lines of mixed signs: every line counts with its sign.
    handmade::setAccount(book, 9, "700", "Bank", CurrentAsset);
    handmade::setAccount(book, 10, "710", "Till", CurrentAsset);
    handmade::setAccount(book, 11, "800", "Capital", CapitalEquity);
    handmade::setAccount(book, 12, "900", "Fees", Revenue);
    handmade::addEntry(book, "8", feb(9), "700", "0", "50", "Unchosen");
    handmade::addEntry(book, "9", feb(9), "700", "900", "20", "Fee");
    handmade::addEntry(book, "10", feb(10), "710", "900", "10", "One");
    handmade::addEntry(book, "11", feb(10), "710", "900", "30", "Two");
    handmade::addEntry(book, "12", feb(10), "710", "900", "-50", "Pasted");
    handmade::addEntry(book, "13", feb(11), "900", "800", "3", "Paid in");
    handmade::addLine(book, "14", feb(11), Debit, "900", "5");
    handmade::addLine(book, "14", feb(11), Debit, "900", "-8");
    handmade::addLine(book, "14", feb(11), Credit, "800", "3");
    handmade::addLine(book, "14", feb(11), Credit, "900", "-6", "Mixed");
    // The trial balance by key, folded as a main account's ledgers are and not.
    std::map<std::int64_t, Currency> balances[2];
    for (const bool subAccounts : {false, true}) {
        TrialBalanceOptions options;
        options.asOfDate = feb(28);
        options.includeSubAccounts = subAccounts;
        for (const TrialBalanceRow& row : computeTrialBalance(book, options).rows)
            balances[subAccounts][statementKey(row.number, subAccounts).raw] = row.balance;
    }

    const struct {
        const char* account;
        std::vector<std::int32_t> listed;
        const char *debitTotal, *balance; // the T-account's debit total; the trial balance's
    } cases[] = {
        {Cash, {0, 1, 2, 3, 4, 5, 6, 7, 12, 13, 14}, "75", "44"},
        {Lowest, {0, 1}, "0", "-5"},
        {LowestMain, {0, 1, 4, 5, 6, 7}, "24", "19"}, // gathers the sub-accounts below it
        {Highest, {2, 3}, "7", "7"},
        {"922337203685477", {2, 3}, "7", "7"},
        {"-5", {8, 9, 10, 11}, "100", "70"},
        {Sales, {8, 9, 12, 13, 14}, "0", "-120"},
        {Rent, {10, 11}, "30", "30"},
        {"700", {15, 16, 17, 18}, "70", "70"},
        {"710", {19, 20, 21, 22, 23, 24}, "-10", "-10"},
        {"800", {25, 26, 27, 28, 29, 30}, "0", "-6"},
        {"900", {17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}, "0", "-4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.account);
        const JournalOptions options = inFebruary<JournalOptions>(c.account);
        EXPECT_EQ(buildJournalList(book, options).ShownLines, c.listed);
        const TAccountLedger ledger = buildTAccount(book, inFebruary<TAccountOptions>(c.account));
        EXPECT_EQ(ledger.Message, "");
        EXPECT_EQ(ledger.Debit.Total, money(c.debitTotal));
        EXPECT_EQ(ledger.Debit.Total - ledger.Credit.Total, money(c.balance));
        const RunningBalanceLedger running = buildRunningBalance(book, options);
        EXPECT_EQ(running.Message, "");
        EXPECT_EQ(running.Rows.empty() ? Currency() : running.Rows.back().Balance,
                  money(c.balance));
        const bool sub = options.account.fractionRaw() != 0;
        EXPECT_EQ(balances[sub][statementKey(options.account, sub).raw], money(c.balance));
        InflowsOutflowsOptions flows;
        flows.cashAccount = options.account;
        const InflowsOutflows io = computeInflowsOutflows(book, flows);
        ASSERT_TRUE(io.ok) << io.message;
        EXPECT_EQ(io.ending.back(), balances[true][options.account.raw]);
    }
}

// An entry with a contra on every line gives rows that grow with the square
// of its lines: rows that would take more memory than a ledger may are
// refused whole, before any is made, with a message.
TEST(LedgerFigures, LedgersTooLargeForMemoryAreRefusedWhole) {
    Book book = handmade::emptyBook();
    handmade::setAccount(book, 1, Cash, "Cash", CurrentAsset);
    handmade::setAccount(book, 2, Stock, "Stock", CurrentAsset);
    handmade::setAccount(book, 3, Rent, "Rent", Expense);
    handmade::addEntry(book, "1", feb(1), Rent, Cash, "3", "Small");
    const int side = 5800; // 5,800 x 5,800 = 33,640,000 rows
    for (int i = 0; i < side; ++i)
        handmade::addLine(book, "2", feb(2), Debit, Stock, "1");
    for (int i = 0; i < side; ++i)
        handmade::addLine(book, "2", feb(2), Credit, Cash, "1", i + 1 == side ? "Giant" : "");

    // A T-account row takes 32 bytes: with its c/d row, 1,076,480,032 bytes.
    const TAccountLedger stock = buildTAccount(book, wholeJournal(Stock));
    EXPECT_EQ(stock.Message, "This ledger would hold 33,640,001 rows, taking about 1,027 MB of "
                             "memory, more than the 1,024 MB a ledger may take. Choose a shorter "
                             "period or another account.");
    EXPECT_TRUE(stock.Debit.Rows.empty());
    EXPECT_TRUE(stock.Credit.Rows.empty() && stock.Refused);
    EXPECT_EQ(stock.LedgerRows, 0);
    EXPECT_EQ(stock.DebitTotalText, "");
    // A running-balance row takes 56 bytes, its reference held in place.
    const RunningBalanceLedger running = buildRunningBalance(book, wholeJournal(Cash));
    EXPECT_EQ(running.Message, "This ledger would hold 33,640,001 rows, taking about 1,797 MB of "
                               "memory, more than the 1,024 MB a ledger may take. Choose a "
                               "shorter period or another account.");
    EXPECT_TRUE(running.Rows.empty() && running.Refused);
    // The bound is one of memory: 20,250,001 T-account rows fit, as many
    // running-balance rows do not.
    EXPECT_EQ(ledgerSizeRefusal(20'250'001, sizeof(TAccountRow), NumberMarks{}), "");
    EXPECT_NE(ledgerSizeRefusal(20'250'001, sizeof(RunningBalanceRow), NumberMarks{}), "");

    // Outside the giant entry's day the same accounts build as usual.
    TAccountOptions firstDay = wholeJournal(Cash);
    firstDay.toDate = feb(1);
    const TAccountLedger cash = buildTAccount(book, firstDay);
    EXPECT_EQ(cash.Message, "");
    EXPECT_EQ(amounts(cash.Credit), (std::vector<std::string>{"3"}));
}

} // namespace
