#include "calculators/depreciation.h"

#include "calculators/number_reading.h"

#include <cmath>

namespace {

// value times rate held as a currency value (ten-thousandths, halves to even).
std::optional<Currency> times(Currency value, double rate) {
    const double raw = std::nearbyint(static_cast<double>(value.raw) * rate);
    if (!(std::fabs(raw) < 9.2e18)) return std::nullopt;
    return Currency::fromRaw(static_cast<std::int64_t>(raw));
}

} // namespace

DepreciationSchedule depreciationSchedule(const std::string& costText,
                                          const std::string& percentText,
                                          const std::string& yearsText, const NumberMarks& marks) {
    DepreciationSchedule out;
    const double years = readTypedNumber(yearsText, marks);
    if (!(years >= 1)) return out;
    const int n = 1 + static_cast<int>(std::nearbyint(std::min(years, 1e6) - 1)); // halves to even
    const double rate = readTypedNumber(percentText, marks) / 100;
    const std::optional<Currency> cost = readTypedAmount(costText, marks);
    out.outcome = DepreciationSchedule::Outcome::CostTooLarge;
    if (!cost) return out;
    Currency value = *cost;
    for (int i = 0; i < n; ++i) {
        if (i > 0) {
            const std::optional<Currency> next = checkedSub(value, out.years.back().depreciation);
            if (!next) return DepreciationSchedule{out.outcome, {}};
            value = *next;
        }
        const std::optional<Currency> dep = times(value, rate);
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
