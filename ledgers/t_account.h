// The T-account of one account over a period: a debit half and a credit half
// of rows (one per contra line of every entry that posts to the account, or
// one of the line's own amount when it has no contra line to share it by),
// brought-forward rows for the balance held at the start of the period, the
// balancing row on the shorter half, and the total and brought-down labels.
#pragma once

#include "book/book.h"
#include "ledgers/ledger_choice.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TAccountRowKind : std::uint8_t {
    Contra,              // a contra line's share of the account's line (or all of it)
    BroughtForward,      // "Balance b/f": what the half carried before the period
    EmptyBroughtForward, // "   ": the half carried nothing (no date or amount shown)
    CarriedDown,         // "Balance c/d": the balancing row, last in its half
};

// A row holds figures and indexes only, a few tens of bytes without a text
// of its own: its text is made when it is drawn or written (tAccountRowText).
struct TAccountRow {
    double Date = 0;       // the account's line's date; FromDate for b/f; 0 for c/d
    Currency Account;      // a contra row's account, whose name the row shows (0: none)
    Currency Amount;       // 0 when TooLarge (fittedFigure)
    std::int32_t Line = 0; // journal line of the account's own line (0 for b/f and c/d)
    TAccountRowKind Kind = TAccountRowKind::Contra;
    bool TooLarge = false; // a share, b/f or c/d amount beyond the money range

    bool isBalanceRow() const { return Kind != TAccountRowKind::Contra; }
};

class AccountNameIndex;

// What a row shows as its text: the contra account's name (through `names`,
// "" when the chart has none and for a row naming no account, as the running
// balance shows it), "Balance b/f", "   " or "Balance c/d".
std::string tAccountRowText(const TAccountRow& row, const AccountNameIndex& names);

struct TAccountHalf {
    std::vector<TAccountRow> Rows; // b/f row first (when any), then journal order, c/d row last
    Currency Total;                // rows' amounts, b/f included, c/d row not included
    Currency BroughtForward;       // the b/f amount (0 when the half has none)
    Currency CarriedDown;          // the c/d amount (0 when the half has none)
    bool hasCarriedDown() const {
        return !Rows.empty() && Rows.back().Kind == TAccountRowKind::CarriedDown;
    }
};

struct TAccountOptions : LedgerChoice {
    // "Unmasked Sub Accounts...": contra sub-accounts by their own names; off,
    // the T-account of a main account names them by their main account.
    bool unmasked = false;
};

struct TAccountLedger {
    TAccountHalf Debit;
    TAccountHalf Credit;
    double FromDate = 0; // the period as built (swapped when given backwards)
    double ToDate = 0;
    Currency LedgerAccount;         // the chosen number cut to its digits
    std::string Folio;              // the account number box's text
    bool HasBroughtForward = false; // both halves start with a b/f row
    std::int32_t LedgerRows = 0;    // the larger half's row count
    int Decimals = 2;               // DecimalsLedger used for the labels

    // "Total" + ten spaces + the half's total with its c/d amount (both equal).
    // A figure beyond the money range shows as TooLargeToShow, its amount
    // field left 0, and Message says so.
    std::string DebitTotalText;
    std::string CreditTotalText;
    // "Balance b/d " + ten spaces + the c/d amount, under the half opposite the
    // c/d row; "" on the other half and when the totals are equal.
    std::string DebitBroughtDownText;
    std::string CreditBroughtDownText;

    // Empty when every figure could be shown. A figure beyond the money
    // range gives a message beside the whole list of rows (the figure
    // marked); a build that stopped, a message and no rows.
    std::string Message;
    // The build was refused or stopped: there is no ledger, only Message, so
    // nothing may be printed, saved or mailed as if it were one.
    bool Refused = false;
};

TAccountLedger buildTAccount(const Book& book, const TAccountOptions& options);

// "Sort Entries by Date...": each half by day, rows of one day keeping
// their order, the c/d row staying last. Counts, totals and labels stay.
void sortByDate(TAccountLedger& ledger);

// The balance captions: string 155 followed by " b/f", " c/d".
std::string broughtForwardText();
std::string carriedDownText();
