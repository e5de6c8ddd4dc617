// Reducing-balance depreciation: starting at the cost, each year writes off
// the rate (in percent) of what is left, so the schedule lists, year by year,
// the opening book value and the amount written off (book value times rate).
#pragma once

#include "book/currency.h"
#include "book/number_format.h"
#include "book/typed_input.h"

#include <optional>
#include <string>
#include <vector>

struct DepreciationYear {
    Currency bookValue;
    Currency depreciation;
};

struct DepreciationSchedule {
    enum class Outcome {
        Nothing,
        Computed,
        CostTooLarge,
        TooFewYears,  // fewer than one year
        RateBelowZero // a rate below 0 %
    } outcome = Outcome::Nothing;
    std::vector<DepreciationYear> years;
};

// The schedule for the three boxes' texts, read by the system's number rules
// with the leading number as fallback. Fewer than one year: TooFewYears; a
// rate below zero: RateBelowZero. A cost (or a book value on the way) beyond
// the currency range: CostTooLarge.
DepreciationSchedule depreciationSchedule(const std::string& costText,
                                          const std::string& percentText,
                                          const std::string& yearsText, const NumberMarks& marks);

// What the window tells for an outcome that computed nothing ("" for none).
std::string depreciationProblem(DepreciationSchedule::Outcome outcome);

// The calculator's three boxes, and what each shows once left: the figure the
// schedule uses of it (leaveFigureBox): the cost as an amount, the rate, the
// whole number of years.
enum class DepreciationBox { Cost, Percent, Years };
LeftBox leaveDepreciationBox(DepreciationBox box, const std::string& text,
                             const NumberMarks& marks);

// The text of a year's label ("Year 2:") and of the rate label ("x 20% =").
std::string depreciationYearLabel(const std::string& yearWord, int year);
std::string depreciationRateLabel(const std::string& percentText);
