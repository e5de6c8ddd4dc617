#include "calculators/depreciation.h"

#include "calculators/number_reading.h"

#include <algorithm>
#include <cmath>

DepreciationSchedule depreciationSchedule(const std::string& costText,
                                          const std::string& percentText,
                                          const std::string& yearsText, const NumberMarks& marks) {
    DepreciationSchedule out;
    const double years = readTypedNumber(yearsText, marks);
    if (!(years >= 1)) return out;
    const int n = 1 + static_cast<int>(std::nearbyint(std::min(years, 1e6) - 1)); // halves to even
    out.outcome = DepreciationSchedule::Outcome::CostTooLarge;
    const std::optional<ExactDecimal> percent = readTypedDecimal(percentText, marks);
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
