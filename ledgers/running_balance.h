// The running-balance ledger of one account. It opens with the balance held
// before the period starts; then every line of the account is matched with
// each opposite line of its entry, and each such pair gives a row with its
// share of the amount and the balance that follows (a line with no opposite
// line to share by gives one row of its own amount).
#pragma once

#include "book/book.h"
#include "ledgers/ledger_choice.h"

#include <cstdint>
#include <string>
#include <vector>

// A row holds figures, indexes and the entry's reference as stored (its
// fixed 14 bytes), a few tens of bytes with no text of its own to allocate:
// its texts are made when it is drawn or written. Holding the reference
// keeps a list built before the journal changed showing its own entries.
struct RunningBalanceRow {
    double Date = 0;       // the line's day; FromDate for the opening row
    Currency Account;      // the contra account (1 for the opening row; 0: no contra)
    Currency Amount;       // the share of the account's line (a debit unless Credit)
    Currency Balance;      // debits minus credits up to and including this row
    std::int32_t Line = 0; // journal line of the account's own line (0 for the opening row)
    EntryId Entry;         // the entry's reference as stored (never assigned for the opening row)
    bool Credit = false;   // the account's line is not a debit
    bool Opening = false;
    // A figure beyond the money range, held as 0 and shown as TooLargeToShow.
    bool AmountTooLarge = false;
    bool BalanceTooLarge = false;

    Currency debit() const { return Credit ? Currency() : Amount; }
    Currency credit() const { return Credit ? Amount : Currency(); }
    // The reference as people see it ("" for the opening row).
    std::string reference() const { return Entry.shown(); }
};

struct RunningBalanceLedger {
    std::vector<RunningBalanceRow> Rows; // opening row first (when any), then journal order
    bool HasOpeningRow = false;
    double FromDate = 0; // the period as built
    double ToDate = 0;
    Currency LedgerAccount; // the chosen number cut to its digits
    std::string Folio;      // the account number box's text
    // Empty when every figure could be shown. A balance or share beyond the
    // money range gives a message beside the whole list of rows (the figure
    // marked); a build that stopped, a message and no rows.
    std::string Message;
    // The build was refused or stopped: there is no ledger, only Message, so
    // nothing may be printed, saved or mailed as if it were one.
    bool Refused = false;
};

// A row's debit, credit and balance texts as the window, the printout and
// every file show them: `amount` of the debit and the credit (a credit row's
// debit is 0, and the reverse), `balance` of the balance; a figure beyond the
// money range is TooLargeToShow.
struct RunningBalanceFigures {
    std::string debit, credit, balance;
};
template <class Amount, class Balance>
RunningBalanceFigures runningBalanceFigures(const RunningBalanceRow& row, Amount&& amount,
                                            Balance&& balance) {
    const std::string share = row.AmountTooLarge ? TooLargeToShow : amount(row.Amount);
    return {row.Credit ? amount(Currency()) : share, row.Credit ? share : amount(Currency()),
            row.BalanceTooLarge ? TooLargeToShow : balance(row.Balance)};
}

// The figures as the window, the printout and the web page show them: the
// debit and the credit with digit groups ("" for 0), the balance by
// balanceText (a balance of 0 taking `suffixForZero`).
RunningBalanceFigures shownFigures(const RunningBalanceRow& row, int decimals,
                                   const NumberMarks& marks, const std::string& suffixForZero);

RunningBalanceLedger buildRunningBalance(const Book& book, const LedgerChoice& choice);

// The reverse-order box: rows in the opposite order, each keeping its balance.
void reverseRows(RunningBalanceLedger& ledger);
