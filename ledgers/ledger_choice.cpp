#include "ledgers/ledger_choice.h"

#include "book/runtime_state.h"
#include "book/tmain.h"

#include <cmath>
#include <utility>

AccountMatch::AccountMatch(Currency chosen)
    : digits_(chosen.fractionRaw() != 0 ? 4 : 0),
      folded_(Tmain::TruncateDecimals(chosen, digits_)) {}

Currency AccountMatch::fold(Currency number) const {
    return digits_ == 4 ? number : Tmain::TruncateDecimals(number, 0);
}

std::int64_t LedgerPeriod::day(double date) {
    return static_cast<std::int64_t>(std::floor(date));
}

LedgerPeriod::LedgerPeriod(double fromDate, double toDate) : from_(fromDate), to_(toDate) {
    if (day(to_) < day(from_)) std::swap(from_, to_);
    fromDay_ = day(from_);
    toDay_ = day(to_);
}

ProgressPacer::ProgressPacer(const Book& book, const ProgressStep& step)
    : step_(step), stride_(progressStrideFor(book.LastEntryLine())) {}

void ProgressPacer::advance(std::int32_t line) {
    step_();
    next_ = (line / stride_ + 1) * stride_;
}

std::string ledgerAmountText(Currency amount, int decimals, const NumberMarks& marks) {
    std::string text = formatAmount(amount, decimals, marks, true);
    const std::size_t at = text[0] == '(' ? 1 : 0;
    if (text.compare(at, 1 + marks.decimal.size(), "0" + marks.decimal) == 0) text.erase(at, 1);
    return text;
}

std::string balanceSuffix(Currency balance, const std::string& suffixForZero) {
    if (balance.raw > 0) return "Dr";
    if (balance.raw < 0) return "Cr";
    return suffixForZero;
}

std::string balanceText(Currency balance, int decimals, const NumberMarks& marks,
                        const std::string& suffixForZero) {
    std::string text = formatAmount(balance, decimals, marks, false);
    if (!text.empty() && text[0] == '-') text.erase(0, 1);
    return text + " " + balanceSuffix(balance, suffixForZero);
}
