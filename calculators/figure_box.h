// A calculator's box that takes a number, once the user leaves it: it shows
// the figure the calculator uses, and a text that is not that figure by the
// system's rules is told.
#pragma once

#include "book/number_format.h"
#include "book/typed_input.h"
#include "calculators/exact_decimal.h"

#include <optional>
#include <string>

// `used` is the figure the calculator reads from `typed` (nullopt: none, as
// beyond its range). An empty box stays empty; any other shows `used` in the
// plain form ("1,000.50" shows 1000.5), told when readDecimal does not read
// the text as `used` ("55,55" is taken as 55). A text of which nothing can be
// used (too large a number) stays and is told.
LeftBox leaveFigureBox(const std::string& typed, const std::optional<ExactDecimal>& used,
                       const NumberMarks& marks);
