#include "calculators/depreciation.h"

#include "calculators/figure_box.h"
#include "calculators/number_reading.h"

#include <algorithm>
#include <cmath>

namespace {

// The whole number of years the schedule runs for the typed text; 0 for
// fewer than one.
int scheduleYears(const std::string& yearsText, const NumberMarks& marks) {
    const double years = readTypedNumber(yearsText, marks);
    if (!(years >= 1)) return 0;
    return 1 + static_cast<int>(std::nearbyint(std::min(years, 1e6) - 1)); // halves to even
}

} // namespace

LeftBox leaveDepreciationBox(DepreciationBox box, const std::string& text,
                             const NumberMarks& marks) {
    std::optional<ExactDecimal> used;
    switch (box) {
    case DepreciationBox::Cost:
        if (const std::optional<Currency> cost = readTypedAmount(text, marks))
            used = ExactDecimal::fromCurrency(*cost);
        break;
    case DepreciationBox::Percent:
        used = readTypedDecimal(text, marks);
        break;
    case DepreciationBox::Years:
        used = ExactDecimal::fromInt(scheduleYears(text, marks));
        break;
    }
    return leaveFigureBox(text, used, marks);
}

std::string depreciationProblem(DepreciationSchedule::Outcome outcome) {
    switch (outcome) {
    case DepreciationSchedule::Outcome::CostTooLarge:
        return "The cost of the asset is too large to depreciate.";
    case DepreciationSchedule::Outcome::TooFewYears:
        return "The number of years must be 1 or more.";
    case DepreciationSchedule::Outcome::RateBelowZero:
        return "The rate of depreciation cannot be below 0 %.";
    default:
        return "";
    }
}

DepreciationSchedule depreciationSchedule(const std::string& costText,
                                          const std::string& percentText,
                                          const std::string& yearsText, const NumberMarks& marks) {
    DepreciationSchedule out;
    const int n = scheduleYears(yearsText, marks);
    if (n == 0) return {DepreciationSchedule::Outcome::TooFewYears, {}};
    const std::optional<ExactDecimal> percent = readTypedDecimal(percentText, marks);
    if (percent && percent->isNegative() && !percent->isZero())
        return {DepreciationSchedule::Outcome::RateBelowZero, {}};
    out.outcome = DepreciationSchedule::Outcome::CostTooLarge;
    const std::optional<Currency> cost = readTypedAmount(costText, marks);
    if (!percent || !cost) return out;
    Currency value = *cost;
    for (int i = 0; i < n; ++i) {
        if (i > 0) {
            const std::optional<Currency> next = checkedSub(value, out.years.back().depreciation);
            if (!next) return DepreciationSchedule{out.outcome, {}};
            value = *next;
        }
        // The book value times the percentage, hundredths taken in the same
        // exact product, so the year's amount is rounded once.
        const std::optional<Currency> dep =
            productToCurrency(ExactDecimal::fromCurrency(value), *percent, 2, 4);
        if (!dep) return DepreciationSchedule{out.outcome, {}};
        out.years.push_back({value, *dep});
    }
    out.outcome = DepreciationSchedule::Outcome::Computed;
    return out;
}

std::string depreciationYearLabel(const std::string& yearWord, int year) {
    return yearWord + " " + std::to_string(year) + ":";
}

std::string depreciationRateLabel(const std::string& percentText) {
    return "x " + percentText + "% =";
}
