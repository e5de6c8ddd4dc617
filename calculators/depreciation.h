// The reducing-balance depreciation schedule: from the cost of an asset, a
// yearly rate in percent and a number of years, the book value at the start
// of each year and that year's depreciation (the book value times the rate).
#pragma once

#include "book/currency.h"
#include "book/number_format.h"

#include <optional>
#include <string>
#include <vector>

struct DepreciationYear {
    Currency bookValue;
    Currency depreciation;
};

struct DepreciationSchedule {
    enum class Outcome { Nothing, Computed, CostTooLarge } outcome = Outcome::Nothing;
    std::vector<DepreciationYear> years;
};

// The schedule for the three boxes' texts, read by the system's number rules
// with the leading number as fallback. Fewer than one year: Nothing. A cost
// (or a book value on the way) beyond the currency range: CostTooLarge.
DepreciationSchedule depreciationSchedule(const std::string& costText,
                                          const std::string& percentText,
                                          const std::string& yearsText, const NumberMarks& marks);

// The text of a year's label ("Year 2:") and of the rate label ("x 20% =").
std::string depreciationYearLabel(const std::string& yearWord, int year);
std::string depreciationRateLabel(const std::string& percentText);
