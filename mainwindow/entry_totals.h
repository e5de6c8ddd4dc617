// The two sums the main window shows in its status line: the debit and
// credit totals of the shown entry, and the balance of the whole journal.
#pragma once

#include "book/book.h"
#include "book/number_format.h"
#include "book/wide_sum.h"
#include "mainwindow/entry_outcome.h"

#include <cstdint>
#include <optional>

struct EntryTotals {
    Currency debit;
    Currency credit;
    int debitLines = 0;
    int creditLines = 0;
    bool overflow = false; // a total left the currency's range (then both are 0)
    // The same totals summed wide: exact also where one leaves the range.
    WideSum debitSum;
    WideSum creditSum;
};

// Totals of the lines first..last (clamped to the journal) by side; lines
// of another side count nowhere.
EntryTotals sumEntry(const Book& book, std::int32_t first, std::int32_t last);

// The status line of the totals: text 150, the debit total, five blanks,
// text 151 and the credit total, each with 2 decimals in the locale's
// format; when they differ, five blanks, text 155, " : ", the difference
// (summed wide, so shown even past the range; negative in parentheses) and
// two blanks, in red; else in black.
StatusUpdate entryTotalsStatus(const EntryTotals& totals, const NumberMarks& marks);

// Whether the balancing button shows after the totals changed: hidden when
// they agree; shown when one total is 0, the other above 0 and not both
// sides hold two lines or more; otherwise as it was (nullopt).
std::optional<bool> balancingButtonFor(const EntryTotals& totals);

// The journal's balance check: every debit and every credit of the journal
// added up exactly (no total can overflow). Debits above credits give text
// 275, a blank and the difference in red; credits above debits text 276 the
// same way; equal sums text 277 in black. The difference is in the plain
// text form with the locale's decimal mark.
StatusUpdate journalBalanceStatus(const Book& book, const std::string& decimalMark);
