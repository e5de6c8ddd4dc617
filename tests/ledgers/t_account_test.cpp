// The T-account builder and the date sort on the shared small book.
#include "ledgers/t_account.h"

#include "book/account_name_index.h"
#include "book/runtime_state.h"
#include "ledgers/contra_lines.h"
#include "ledgers/running_balance.h"

#include "ledger_book.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ledgerbook;

// A row's text, names from the shared book's chart.
std::string text(const TAccountRow& row) {
    static const Book chart = ledgerbook::book();
    static const AccountNameIndex names(chart);
    return tAccountRowText(row, names);
}

// One row as "<day of February> <text> <amount> @<line>", balance rows by kind.
std::string shown(const TAccountRow& row) {
    switch (row.Kind) {
    case TAccountRowKind::BroughtForward:
        return "b/f " + row.Amount.toPlainString() + " on " +
               std::to_string(static_cast<int>(row.Date - feb(0)));
    case TAccountRowKind::EmptyBroughtForward:
        return "b/f -" + std::string(text(row) == "   " && row.Amount.isZero() ? "" : " ?");
    case TAccountRowKind::CarriedDown:
        return "c/d " + row.Amount.toPlainString();
    case TAccountRowKind::Contra:
        break;
    }
    return std::to_string(static_cast<int>(row.Date - feb(0))) + " " + text(row) + " " +
           row.Amount.toPlainString() + " @" + std::to_string(row.Line);
}

std::vector<std::string> shown(const TAccountHalf& half) {
    std::vector<std::string> rows;
    for (const TAccountRow& row : half.Rows)
        rows.push_back(shown(row));
    return rows;
}

struct Case {
    const char* name;
    const char* account;
    double from, to;
    bool reconcile, unmasked;
    std::vector<std::string> debit, credit;
    const char* total;       // both total labels show it
    const char* broughtDown; // "debit 810.00": the label and the amount; "" none
};

const std::string Ten(10, ' ');

TEST(TAccountBuilder, EveryFigureOfTheSmallBook) {
    const Book book = ledgerbook::book();
    const double f1 = feb(1), f28 = feb(28);
    // clang-format off
    const std::vector<Case> cases = {
        // Sub-accounts gathered; b/f rows from lines before the period although
        // the journal's first line lies inside it; credit-first entries; a
        // contra sum of 0 leaving the share 0; credit total below debit total.
        {"cash, main account", Cash, f1, f28, false, false,
         {"b/f 500 on 1", "10 Sales 90 @6", "4 Loan 800 @12", "12 Sales 250 @14"},
         {"b/f 40 on 1", "2 Rent 120 @1", "3 Loan 500 @5", "5 Stock 60 @10", "14 Rent 70 @17",
          "14 Rent 0 @23", "20 Wages 30 @26", "28 Stock 10 @28", "c/d 810"},
         "1,640.00", "debit 810.00"},
        // Both bounds inclusive; from the journal's earliest day: no b/f rows.
        {"cash, from the earliest day", Cash, day(2026, 1, 15), feb(3), false, false,
         {"-16 Sales 500 @2", "c/d 160"},
         {"2 Rent 120 @1", "3 Loan 500 @5", "-11 Sales 40 @19"},
         "660.00", "credit 160.00"},
        // A sub-account: only its own lines; reconciled lines count outside
        // reconciliation mode.
        {"till", Till, f1, f28, false, false,
         {"b/f -", "12 Sales 250 @14"}, {"b/f -", "2 Rent 120 @1", "c/d 130"},
         "250.00", "debit 130.00"},
        {"till, reconciliation", Till, f1, f28, true, false,
         {"b/f -", "c/d 120"}, {"b/f -", "2 Rent 120 @1"},
         "120.00", "credit 120.00"},
        // 60/40 compound entry: contra sub-accounts masked by their main
        // account, or by their own names; the debit line that ends the journal
        // finds its credit-first contra.
        {"stock, masked", Stock, f1, f28, false, false,
         {"b/f -", "5 Cash 60 @9", "5 Sales 40 @9", "28 Cash 10 @29"}, {"b/f -", "c/d 110"},
         "110.00", "debit 110.00"},
        {"stock, unmasked", Stock, f1, f28, false, true,
         {"b/f -", "5 Cash Safe 60 @9", "5 Sales Online 40 @9", "28 Cash 10 @29"},
         {"b/f -", "c/d 110"},
         "110.00", "debit 110.00"},
        // 90/10 from the credit side: two rows; b/f on both halves.
        {"sales", Sales, f1, f28, false, false,
         {"b/f 40 on 1", "c/d 850"},
         {"b/f 500 on 1", "10 Cash 90 @8", "10 Wages 10 @8", "5 Stock 40 @11", "12 Cash 250 @15"},
         "890.00", "credit 850.00"},
        {"sales, reconciliation", Sales, f1, f28, true, false,
         {"b/f 40 on 1", "c/d 600"},
         {"b/f 500 on 1", "10 Cash 90 @8", "10 Wages 10 @8", "5 Stock 40 @11"},
         "640.00", "credit 600.00"},
        // 90/10 from the debit side: one row of 10; the debit that ends a
        // credit-first entry takes that entry's credit, not the next entry's.
        {"wages", Wages, f1, f28, false, false,
         {"b/f -", "10 Sales 10 @7", "20 Cash 30 @27"}, {"b/f -", "c/d 40"},
         "40.00", "debit 40.00"},
        // A debit whose credit names no account and one whose contra adds up
        // to 0: one row of its own amount naming no account, as in the running
        // balance. 80 against a contra of 70.
        {"rent", Rent, f1, f28, false, false,
         {"b/f -", "2 Cash 120 @0", "14 Cash 80 @16", "15  50 @20", "14  25 @22"},
         {"b/f -", "c/d 275"}, "275.00", "debit 275.00"},
        // 500 against 800: a c/d of 300 and totals of 800.
        {"loan", Loan, f1, f28, false, false,
         {"b/f -", "3 Cash 500 @4", "c/d 300"}, {"b/f -", "4 Cash 800 @13"},
         "800.00", "credit 300.00"},
        // An account name not in the chart gathers the lines of no account.
        {"no account", "0", f1, f28, false, false,
         {"b/f -", "c/d 50"}, {"b/f -", "15 Rent 50 @21"},
         "50.00", "credit 50.00"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TAccountOptions options;
        options.account = money(c.account);
        options.fromDate = c.from;
        options.toDate = c.to;
        options.reconcileMode = c.reconcile;
        options.unmasked = c.unmasked;
        const TAccountLedger ledger = buildTAccount(book, options);
        EXPECT_EQ(ledger.Message, "");
        EXPECT_EQ(shown(ledger.Debit), c.debit);
        EXPECT_EQ(shown(ledger.Credit), c.credit);
        EXPECT_EQ(ledger.DebitTotalText, "Total" + Ten + c.total);
        EXPECT_EQ(ledger.CreditTotalText, "Total" + Ten + c.total);
        const std::string broughtDown = c.broughtDown;
        const std::size_t space = broughtDown.find(' ');
        const std::string side = broughtDown.substr(0, space);
        const std::string text =
            broughtDown.empty() ? "" : "Balance b/d " + Ten + broughtDown.substr(space + 1);
        EXPECT_EQ(ledger.DebitBroughtDownText, side == "debit" ? text : "");
        EXPECT_EQ(ledger.CreditBroughtDownText, side == "credit" ? text : "");
        EXPECT_EQ(ledger.LedgerRows, static_cast<int>(std::max(c.debit.size(), c.credit.size())));
        EXPECT_EQ(ledger.FromDate, c.from);
        // The same halves with the dates given the wrong way round.
        std::swap(options.fromDate, options.toDate);
        const TAccountLedger swapped = buildTAccount(book, options);
        EXPECT_EQ(shown(swapped.Debit), c.debit);
        EXPECT_EQ(shown(swapped.Credit), c.credit);
        EXPECT_EQ(swapped.FromDate, c.from);
    }
}

TEST(TAccountBuilder, HeadingsSharesAndAmountTexts) {
    Book book = ledgerbook::book();
    book.SubAccountDash = -1;
    TAccountOptions options = inFebruary<TAccountOptions>(Till);
    options.marks = NumberMarks{",", "."};
    const TAccountLedger till = buildTAccount(book, options);
    EXPECT_EQ(till.Folio, "100-1");
    EXPECT_EQ(till.LedgerAccount, money(Till));
    EXPECT_EQ(till.DebitTotalText, "Total" + Ten + "250,00");

    // Shares of one third round to four places, halves to even.
    handmade::addLine(book, "20", feb(6), Debit, Wages, "1");
    handmade::addLine(book, "20", feb(6), Credit, Cash, "1");
    handmade::addLine(book, "20", feb(6), Credit, Rent, "1");
    handmade::addLine(book, "20", feb(6), Credit, Loan, "1", "Thirds");
    options.account = money(Wages);
    options.marks = NumberMarks{};
    const TAccountLedger wages = buildTAccount(book, options);
    ASSERT_EQ(wages.Debit.Rows.size(), 6u);
    EXPECT_EQ(wages.Debit.Rows[3].Amount, money("0.3333"));

    EXPECT_EQ(ledgerAmountText(money("0.5"), 2, NumberMarks{}), ".50");
    EXPECT_EQ(ledgerAmountText(money("-0.5"), 2, NumberMarks{}), "(.50)");
    EXPECT_EQ(ledgerAmountText(money("-1234.5"), 2, NumberMarks{}), "(1,234.50)");
    EXPECT_EQ(balanceText(money("75"), 2, NumberMarks{}), "75.00 Dr");
    EXPECT_EQ(balanceText(money("-75"), 2, NumberMarks{}), "75.00 Cr");
    EXPECT_EQ(balanceText(Currency(), 2, NumberMarks{}, "Cr"), "0.00 Cr");
}

TEST(TAccountBuilder, DateSortIsStableAndKeepsTheBalancingRowLast) {
    // Two entries of one day, the later one first: they keep that order.
    Book book = ledgerbook::book();
    handmade::addEntry(book, "90", feb(13) + 0.75, Cash, Rent, "1", "Evening");
    handmade::addEntry(book, "91", feb(13) + 0.25, Cash, Rent, "2", "Morning");
    TAccountOptions options = inFebruary<TAccountOptions>(Cash);
    TAccountLedger ledger = buildTAccount(book, options);
    const std::string debitTotal = ledger.DebitTotalText;
    sortByDate(ledger);
    EXPECT_EQ(shown(ledger.Debit),
              (std::vector<std::string>{"b/f 500 on 1", "4 Loan 800 @12", "10 Sales 90 @6",
                                        "12 Sales 250 @14", "13 Rent 1 @30", "13 Rent 2 @32"}));
    EXPECT_EQ(shown(ledger.Credit),
              (std::vector<std::string>{"b/f 40 on 1", "2 Rent 120 @1", "3 Loan 500 @5",
                                        "5 Stock 60 @10", "14 Rent 70 @17", "14 Rent 0 @23",
                                        "20 Wages 30 @26", "28 Stock 10 @28", "c/d 813"}));
    EXPECT_EQ(ledger.DebitTotalText, debitTotal);

    // Many rows: the halves grow and nothing is lost.
    Book big = ledgerbook::book();
    for (int i = 0; i < 2500; ++i)
        handmade::addEntry(big, "30", feb(1 + i % 28), Cash, Rent, "1", "Many");
    int steps = 0;
    options.progress = [&] { ++steps; };
    TAccountLedger many = buildTAccount(big, options);
    EXPECT_EQ(many.Debit.Rows.size(), 4u + 2500u);
    // About a hundred progress steps, one every stride of lines.
    const auto lines = static_cast<int>(big.EntryLines.size());
    const int stride = progressStrideFor(lines - 1);
    EXPECT_EQ(steps, (lines + stride - 1) / stride);
    sortByDate(many);
    for (std::size_t i = 1; i < many.Debit.Rows.size(); ++i)
        ASSERT_LE(many.Debit.Rows[i - 1].Date, many.Debit.Rows[i].Date);
}

} // namespace

// Totals beyond the range of amounts: every row (each of which fits) is
// listed, the totals and the balancing amount say they are too large to show.
TEST(TAccountBuilder, TotalsOutOfRangeShowTheRowsAndSayTheyAreTooLarge) {
    Book book = ledgerbook::book();
    for (int i = 0; i < 2; ++i)
        handmade::addEntry(book, "80", feb(25), Stock, Cash, "900000000000000", "Huge");
    const TAccountOptions options = inFebruary<TAccountOptions>(Stock);
    const TAccountLedger ledger = buildTAccount(book, options);
    EXPECT_EQ(ledger.Message,
              "A total of this T-account is beyond the range of amounts and cannot be shown: the "
              "rows are listed, and the total says \"too large to show\".");
    ASSERT_EQ(ledger.Debit.Rows.size(), 6u); // b/f, 60, 40, 10 and the two huge rows
    EXPECT_EQ(ledger.Debit.Rows.back().Amount, money("900000000000000"));
    EXPECT_EQ(ledger.DebitTotalText, "Total" + Ten + "too large to show");
    EXPECT_EQ(ledger.CreditTotalText, ledger.DebitTotalText);
    ASSERT_TRUE(ledger.Credit.hasCarriedDown());
    EXPECT_TRUE(ledger.Credit.Rows.back().TooLarge);
    EXPECT_EQ(ledger.DebitBroughtDownText, "Balance b/d " + Ten + "too large to show");
    EXPECT_EQ(ledger.LedgerRows, 6);

    const RunningBalanceLedger running = buildRunningBalance(book, options);
    EXPECT_NE(running.Message.find("too large to show"), std::string::npos);
    EXPECT_EQ(running.Rows[running.Rows.size() - 2].Balance, money("900000000000110"));
    EXPECT_TRUE(running.Rows.back().BalanceTooLarge);
}
