// The contra lines of a journal line: the lines of the other side within the
// line's own entry that name an account, and each one's share of the line.
#pragma once

#include "book/book.h"
#include "book/entry_index.h"
#include "book/wide_sum.h"
#include "ledgers/ledger_choice.h"

#include <cstdint>
#include <vector>

struct ContraLines {
    std::vector<std::int32_t> lines; // in journal order
    WideSum sum;                     // their amounts added up (never out of range)

    bool empty() const { return lines.empty(); }
    // The lines give shares: there is at least one and their sum is not 0.
    bool sharable() const { return !lines.empty() && !sum.isZero(); }
    // The rows a ledger makes of the account line (forEachShare).
    std::int64_t rows() const { return sharable() ? static_cast<std::int64_t>(lines.size()) : 1; }
};

// The contra lines of every line of an entry, found once per entry and
// shared by its lines, so that a scan over the journal stays linear however
// long an entry is.
class EntryContras {
  public:
    EntryContras(const Book& book, const EntryIndex& entries) : book_(book), entries_(entries) {}
    // The contra lines of `line` (whose Side is Debit or Credit): the other
    // side's lines of its entry that name an account.
    const ContraLines& of(std::int32_t line);

  private:
    const Book& book_;
    const EntryIndex& entries_;
    std::int32_t entry_ = -1; // first line of the entry held
    ContraLines debits_, credits_;
};

// The shares of an account line's amount, with its sign, among its contra
// lines taken in journal order, each by exactShareAfter: the k-th share is
// amount x (the first k contra amounts) / (all of them), rounded, less the
// same of the first k-1. The shares thus
// add up to the amount exactly whatever the signs, and a single contra line
// takes the whole amount. `whole` must not be 0. Contra amounts of mixed
// signs may give a share beyond the money range: it is returned exactly, and
// the ledger shows it as too large (fittedFigure).
class ContraShares {
  public:
    ContraShares(Currency amount, WideSum whole) : amount_(amount), whole_(whole) {}
    // The share of the next contra line, whose amount is `part`.
    WideSum next(Currency part);

  private:
    Currency amount_;
    WideSum whole_, parts_;
};

// Calls row(contra line, share as a WideSum) for every row an account line
// makes in a ledger, in journal order: one per contra line with its share
// (ContraShares); a line with no contra line to share its amount by (none,
// or contra lines adding up to 0) makes one row of its whole amount, with
// contra line -1 (no account). Either way the rows add up to the line's
// amount, as the trial balance counts it.
template <class Row>
void forEachShare(const Book& book, std::int32_t line, const ContraLines& contras, Row&& row) {
    const Currency amount = book.EntryLines[static_cast<std::size_t>(line)].Amount;
    if (!contras.sharable()) {
        row(std::int32_t{-1}, WideSum{amount.raw});
        return;
    }
    ContraShares shares(amount, contras.sum);
    for (const std::int32_t k : contras.lines)
        row(k, shares.next(book.EntryLines[static_cast<std::size_t>(k)].Amount));
}

// One pass over the journal for the ledger of one account: each line dated
// before the period goes to before(line); the lines in the period that debit
// or credit the account (with `reconcileMode`, unreconciled ones only) are
// returned in journal order. `step` paces the progress.
template <class Before>
std::vector<std::int32_t> postingsInPeriod(const Book& book, const LedgerPeriod& period,
                                           const AccountMatch& match, bool reconcileMode,
                                           const ProgressStep& step, Before&& before) {
    std::vector<std::int32_t> postings;
    ProgressPacer progress(book, step);
    const auto lines = static_cast<std::int32_t>(book.EntryLines.size());
    for (std::int32_t i = 0; i < lines; ++i) {
        progress.at(i);
        const EntryLine& line = book.EntryLines[static_cast<std::size_t>(i)];
        if (period.before(line.Date)) {
            before(line);
            continue;
        }
        if (reconcileMode && line.Reconciled == 1) continue;
        if (line.Side != Debit && line.Side != Credit) continue;
        if (period.within(line.Date) && match.matches(line.AccountNumber)) postings.push_back(i);
    }
    return postings;
}
