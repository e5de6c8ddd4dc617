// Reducing-balance depreciation: starting at the cost, each year writes off
// the rate (in percent) of what is left, so the schedule lists, year by year,
// the opening book value and the amount written off (book value times rate).
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
