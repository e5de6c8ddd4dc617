// What every ledger build starts from: the chosen account, the period and the
// reconciliation switch, and the small rules the ledgers share (which lines
// belong to the chosen account, the amount and balance texts).
#pragma once

#include "book/book.h"
#include "book/currency.h"
#include "book/memory_bound.h"
#include "book/number_format.h"
#include "book/wide_sum.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

// Called about a hundred times per build (every progressStrideFor(LastEntryLine)
// journal lines); a window passes Tmain::StepProgress here.
using ProgressStep = std::function<void()>;

struct LedgerChoice {
    // The chosen account's number (Tmain::AccountNumberByName of the account
    // box; 0 when no account has that name).
    Currency account;
    // The period, both days inclusive; a period given the wrong way round is
    // swapped by the build (the result carries the swapped days).
    double fromDate = 0;
    double toDate = 0;
    // Reconciliation window: journal lines whose Reconciled byte is 1 are left out.
    bool reconcileMode = false;
    // The locale's marks, for the folio text and the amount labels.
    NumberMarks marks;
    ProgressStep progress;
};

// Which journal lines belong to an account: a main account (no fractional
// part) gathers the sub-accounts that fold into it (mainAccountOf), a
// sub-account only itself.
class AccountMatch {
  public:
    explicit AccountMatch(Currency chosen);
    int digits() const { return digits_; }      // 0 for a main account, 4 for a sub-account
    Currency folded() const { return folded_; } // the chosen number
    // The number as the chosen account compares it: a sub-account folded
    // into its main account when a main account is chosen, else itself.
    Currency fold(Currency number) const;
    bool matches(Currency number) const { return fold(number) == folded_; }

  private:
    int digits_ = 0;
    Currency folded_;
};

// The period of a build, the right way round, compared by whole days.
class LedgerPeriod {
  public:
    LedgerPeriod(double fromDate, double toDate);
    // The whole day of a day number (its time of day dropped).
    static std::int64_t day(double date);
    double fromDate() const { return from_; } // as given, swapped when backwards
    double toDate() const { return to_; }
    bool before(double date) const { return day(date) < fromDay_; }
    bool within(double date) const {
        const std::int64_t d = day(date);
        return fromDay_ <= d && d <= toDay_;
    }

  private:
    double from_, to_;
    std::int64_t fromDay_, toDay_;
};

// Runs the progress step once every progressStrideFor(LastEntryLine) lines
// of a scan over the journal (also when the scan skips lines).
class ProgressPacer {
  public:
    ProgressPacer(const Book& book, const ProgressStep& step);
    void at(std::int32_t line) {
        if (line >= next_ && step_) advance(line);
    }

  private:
    void advance(std::int32_t line);
    const ProgressStep& step_;
    std::int32_t stride_;
    std::int32_t next_ = 0;
};

// Runs a part of a ledger's build: a sum beyond even the wide range or a
// lack of memory stops it with the message to show, "" when it went through.
std::string ledgerBuildFault(const std::function<void()>& part);

// Builds the rows of `ledger` (which holds its heading: period, account) in a
// copy that replaces it only when the build went through (ledgerBuildFault).
// A build refused before it starts (`refusal`, such as ledgerSizeRefusal's)
// or one that stops leaves the ledger without rows, Refused, with the message
// why: the rows made before a fault are never shown as if they were all.
// Returns whether the ledger was built.
template <class Ledger, class Build>
bool buildWhole(Ledger& ledger, const std::string& refusal, Build&& build) {
    std::string fault = refusal;
    if (fault.empty()) {
        Ledger built = ledger;
        fault = ledgerBuildFault([&] { build(built); });
        if (fault.empty()) ledger = std::move(built);
    }
    ledger.Message = fault;
    ledger.Refused = !fault.empty();
    return !ledger.Refused;
}

// Shown in place of a figure beyond the money range (a total, b/f, c/d, a
// share of a line, a balance); the rows around it are listed as usual.
inline constexpr const char* TooLargeToShow = "too large to show";

// A figure worked out wide as a row holds it: the amount when it fits in the
// money range; else 0, with `tooLarge` set (the row shows TooLargeToShow).
Currency fittedFigure(WideSum figure, bool& tooLarge);

// What a ledger says when it lists every row but shows a `figure` ("total",
// "figure") of it as TooLargeToShow; `ledger` names the ledger.
std::string tooLargeMessage(const std::string& figure, const std::string& ledger);

// The most memory the rows of one ledger may take (book/memory_bound.h): a
// build whose rows would take more is refused whole, before any row is made.
inline constexpr std::int64_t MaxLedgerBytes = static_cast<std::int64_t>(LargestTableBytes);
// "" when `rows` rows of `rowBytes` bytes each fit in MaxLedgerBytes, else
// the message of the build refused for them.
std::string ledgerSizeRefusal(std::int64_t rows, std::size_t rowBytes, const NumberMarks& marks);

// Ledger amounts as the T-account window shows them: `decimals` places,
// digit groups, negatives in parentheses, and a bare decimal mark with no
// leading zero when the whole part is 0 (".50").
std::string ledgerAmountText(Currency amount, int decimals, const NumberMarks& marks);

// The running balance as people read it: the absolute value with `decimals`
// places and digit groups, a space, then "Dr" when positive, "Cr" when
// negative. A balance of exactly 0 takes `suffixForZero` (the suffix of the row
// shown before it; "" leaves the space alone at the end).
std::string balanceSuffix(Currency balance, const std::string& suffixForZero = "");
std::string balanceText(Currency balance, int decimals, const NumberMarks& marks,
                        const std::string& suffixForZero = "");
