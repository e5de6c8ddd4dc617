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

// The share of an account's line (`lineAmount`) that falls to one of its
// contra lines: contraAmount x lineAmount / contraSum, exact, rounded to the
// ten-thousandth with halves to the even one (a single contra line thus takes
// the line's own amount). The sum must not be 0; a share out of the money
// range throws CurrencyOverflow.
Currency contraShare(Currency lineAmount, Currency contraAmount, WideSum contraSum);

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
