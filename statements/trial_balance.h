// The trial balance as of a day: for each account, the debits minus the
// credits of its lines dated on or before that day. Rows follow the account
// table; with sub-accounts folded, a main account's row absorbs its subs.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "platform/locale.h"

#include <string>
#include <vector>

struct TrialBalanceOptions {
    double asOfDate = 0;             // lines dated on or before this day count (whole days)
    bool includeSubAccounts = false; // false folds 100.1 into 100
    LocaleInfo locale;               // marks of the amount and number texts, month names
    RunTimeState* run = nullptr;     // when set, the progress bar steps through the journal
};

struct TrialBalanceRow {
    int slot = 0;           // the slot the row stands for (-1: lines of no account, no slot)
    Currency number;        // that slot's number: the main account's when folding
    std::string name;       // that slot's name
    std::string numberText; // the number as the statement shows it ("100-1" with the dash setting)
    Currency balance;       // debits less credits: above 0 a debit row, below 0 a credit row
    std::string amountText; // the balance without its sign, leading zero kept: "0.50"

    bool shown() const { return !balance.isZero(); } // rows of 0 are listed by no output
    bool isDebit() const { return balance.raw > 0; }
};

struct TrialBalance {
    bool ok = false;
    std::string message; // why no statement could be made (a sum out of range)

    double asOfDate = 0;
    bool includeSubAccounts = false;
    int decimals = 0;     // the book's trial-balance decimals
    std::string dateText; // the as-of date as "dd mmmm yyyy"

    // One row per distinct key in table order, rows of 0 included (the
    // spreadsheet keeps an empty sheet row for each); when no slot is empty,
    // lines of no account that do not cancel have a last row of their own.
    std::vector<TrialBalanceRow> rows;
    // The indices of the rows shown (those not 0), in order: the window
    // finds the first row in its view by this index.
    std::vector<std::size_t> shownRows;
    Currency debitTotal;  // sum of the debit balances
    Currency creditTotal; // sum of the credit balances, as a positive amount
    std::string debitTotalText, creditTotalText;

    bool balanced() const { return debitTotal == creditTotal; }
};

// One pass over the journal. Sums go by the row key itself, so lines of a
// sub-account whose main account stands later in the table, or is missing
// from it, are not lost while folding; a row stands where the first slot of
// its key stands and carries the main account (else that first slot). Lines
// of no account (0) have the first empty slot's row (or one after the table);
// lines on numbers that no table slot keys count nowhere. A line whose Side is not 1 counts as a
// credit.
TrialBalance computeTrialBalance(const Book& book, const TrialBalanceOptions& options);
