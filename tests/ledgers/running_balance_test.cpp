// The running-balance builder on the shared small book.
#include "ledgers/running_balance.h"

#include "ledger_book.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ledgerbook;

// "<day of February> <reference> <contra> <debit>/<credit> = <balance> @<line>".
std::vector<std::string> shown(const RunningBalanceLedger& ledger) {
    std::vector<std::string> rows;
    for (const RunningBalanceRow& r : ledger.Rows)
        rows.push_back(std::string(r.Opening ? "open " : "") +
                       std::to_string(static_cast<int>(r.Date - feb(0))) + " " + r.reference() +
                       " " + r.Account.toPlainString() + " " + r.debit().toPlainString() + "/" +
                       r.credit().toPlainString() + " = " + r.Balance.toPlainString() + " @" +
                       std::to_string(r.Line));
    return rows;
}

struct Case {
    const char* name;
    const char* account;
    double from, to;
    bool reconcile;
    std::vector<std::string> rows;
};

TEST(RunningBalance, EveryFigureOfTheSmallBook) {
    const Book book = ledgerbook::book();
    const double f1 = feb(1), f28 = feb(28);
    // clang-format off
    const std::vector<Case> cases = {
        // The opening row although line 0 lies in the period; the main
        // account's sub-accounts in the opening balance and in the rows; the
        // credit-first entries; a zero amount sharing nothing.
        {"cash", Cash, f1, f28, false,
         {"open 1  1 0/0 = 460 @0", "2 2 300 0/120 = 340 @1", "3 3 600 0/500 = -160 @5",
          "10 4 200 90/0 = -70 @6", "5 5 400 0/60 = -130 @10", "4 6 600 800/0 = 670 @12",
          "12 7 200 250/0 = 920 @14", "14 8 300 0/70 = 850 @17", "14 11 300 0/0 = 850 @23",
          "20 13 500 0/30 = 820 @26", "28 14 400 0/10 = 810 @28"}},
        {"cash, reconciliation", Cash, f1, f28, true,
         {"open 1  1 0/0 = 460 @0", "2 2 300 0/120 = 340 @1", "3 3 600 0/500 = -160 @5",
          "10 4 200 90/0 = -70 @6", "5 5 400 0/60 = -130 @10", "4 6 600 800/0 = 670 @12",
          "14 8 300 0/70 = 600 @17", "14 11 300 0/0 = 600 @23", "20 13 500 0/30 = 570 @26",
          "28 14 400 0/10 = 560 @28"}},
        // No line before the period: no opening row; inclusive bounds.
        {"cash from the earliest day", Cash, day(2026, 1, 15), feb(2), false,
         {"2 2 300 0/120 = -120 @1", "-16 1 200 500/0 = 380 @2", "-11 9 200 0/40 = 340 @19"}},
        // A sub-account: its own lines only.
        {"till", Till, f1, f28, false,
         {"open 1  1 0/0 = 0 @0", "2 2 300 0/120 = -120 @1", "12 7 200 250/0 = 130 @14"}},
        // The worked example: 90 and 10 against one credit of 100.
        {"sales", Sales, f1, f28, false,
         {"open 1  1 0/0 = -460 @0", "10 4 100 0/90 = -550 @8", "10 4 500 0/10 = -560 @8",
          "5 5 400 0/40 = -600 @11", "12 7 100.1 0/250 = -850 @15"}},
        {"wages", Wages, f1, f28, false,
         {"open 1  1 0/0 = 0 @0", "10 4 200 10/0 = 10 @7", "20 13 100 30/0 = 40 @27"}},
        // A line without a contra account, and one whose contra adds up to 0:
        // one row of the line's own amount.
        {"rent", Rent, f1, f28, false,
         {"open 1  1 0/0 = 0 @0", "2 2 100.1 120/0 = 120 @0", "14 8 100 80/0 = 200 @16",
          "15 10 0 50/0 = 250 @20", "14 11 0 25/0 = 275 @22"}},
        // An account name not in the chart gathers the lines of no account,
        // credits as debits, as the trial balance and the T-account do.
        {"no account", "0", f1, f28, false,
         {"open 1  1 0/0 = 0 @0", "15 10 300 0/50 = -50 @21"}},
        {"loan", Loan, f1, f28, false,
         {"open 1  1 0/0 = 0 @0", "3 3 100 500/0 = 500 @4", "4 6 100 0/800 = -300 @13"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LedgerChoice choice;
        choice.account = money(c.account);
        choice.fromDate = c.from;
        choice.toDate = c.to;
        choice.reconcileMode = c.reconcile;
        const RunningBalanceLedger ledger = buildRunningBalance(book, choice);
        EXPECT_EQ(ledger.Message, "");
        EXPECT_EQ(shown(ledger), c.rows);
        EXPECT_EQ(ledger.HasOpeningRow, c.rows.front().rfind("open", 0) == 0);
        EXPECT_EQ(ledger.FromDate, c.from);
        // The same rows with the dates given the wrong way round.
        std::swap(choice.fromDate, choice.toDate);
        EXPECT_EQ(shown(buildRunningBalance(book, choice)), c.rows);
        EXPECT_EQ(ledger.Folio, c.account);
    }
}

TEST(RunningBalance, ReverseKeepsEachRowsBalance) {
    const Book book = ledgerbook::book();
    LedgerChoice choice;
    choice.account = money(Loan);
    choice.fromDate = feb(1);
    choice.toDate = feb(28);
    RunningBalanceLedger ledger = buildRunningBalance(book, choice);
    const auto before = shown(ledger);
    reverseRows(ledger);
    EXPECT_EQ(shown(ledger), std::vector<std::string>(before.rbegin(), before.rend()));
    reverseRows(ledger);
    EXPECT_EQ(shown(ledger), before);
}

} // namespace
