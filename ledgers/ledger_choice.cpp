#include "ledgers/ledger_choice.h"

#include "book/account_number_rule.h"
#include "book/day_of_date.h"
#include "book/runtime_state.h"
#include "book/tmain.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

AccountMatch::AccountMatch(Currency chosen)
    : digits_(chosen.fractionRaw() != 0 ? 4 : 0), folded_(chosen) {}

Currency AccountMatch::fold(Currency number) const {
    return digits_ == 4 ? number : mainAccountOf(number);
}

std::int64_t LedgerPeriod::day(double date) {
    // The whole part: before 30 December 1899 a day number counts its days
    // back and its time of day forward, so -1.5 is noon on the day -1.
    return static_cast<std::int64_t>(dayOfDate(date));
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

std::string ledgerBuildFault(const std::function<void()>& part) {
    try {
        part();
    } catch (const CurrencyOverflow&) {
        return "Stopping due to Processing error";
    } catch (const std::bad_alloc&) {
        return "Out of Memory...";
    }
    return "";
}

Currency fittedFigure(WideSum figure, bool& tooLarge) {
    tooLarge = !figure.fits();
    return tooLarge ? Currency() : figure.value();
}

std::string tooLargeMessage(const std::string& figure, const std::string& ledger) {
    return "A " + figure + " of this " + ledger +
           " is beyond the range of amounts and cannot be shown: the rows are listed, and the " +
           figure + " says \"" + TooLargeToShow + "\".";
}

std::string ledgerSizeRefusal(std::int64_t rows, std::size_t rowBytes, const NumberMarks& marks) {
    const auto wide = static_cast<unsigned __int128>(std::max<std::int64_t>(rows, 0)) * rowBytes;
    const std::uint64_t bytes = wide > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(wide);
    return tableSizeRefusal("ledger", groupedDigits(std::to_string(rows), marks.group) + " rows",
                            bytes, marks, "Choose a shorter period or another account.");
}

std::string ledgerAmountText(Currency amount, int decimals, const NumberMarks& marks) {
    return formatAmountWithoutLeadingZero(amount, decimals, marks);
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
