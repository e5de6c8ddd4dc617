// How the calculators read what the user types: numbers by the system's
// rules (its decimal mark and digit grouping), falling back to the leading
// number; times of day.
#pragma once

#include "book/currency.h"
#include "book/number_format.h"
#include "calculators/exact_decimal.h"

#include <optional>
#include <string>

// A number by the system's rules: blanks around it, an optional leading sign,
// digits with the group mark between groups of three in the whole part, and
// at most one decimal mark. Anything else, no digit at all, or a value beyond
// the decimal range: nullopt.
std::optional<ExactDecimal> readDecimal(const std::string& text, const NumberMarks& marks);

// The text's leading number, always taking "." as the decimal point (12,5 is
// 12; a text without a number is 0), read digit by digit and so exact to the
// decimal's 28 places; nullopt only beyond the decimal range.
std::optional<ExactDecimal> leadingDecimal(const std::string& text);

// A typed number: by the system's rules, else its leading number ("1,000" is
// 1000; "12,5" is 12.5 under a decimal comma and 12 otherwise). nullopt only
// beyond the decimal range.
std::optional<ExactDecimal> readTypedDecimal(const std::string& text, const NumberMarks& marks);

// The amount readers hold the number to four decimals (halves to even) in one
// rounding, from the digits as typed however many there are, and give
// nullopt when the rounded amount is beyond the currency range.

// An amount by the system's rules (nullopt for any other text), held to
// `places` decimals (0 to 4).
std::optional<Currency> readAmount(const std::string& text, const NumberMarks& marks,
                                   int places = 4);
// The text's leading number as an amount, read as leadingDecimal reads it.
std::optional<Currency> leadingAmount(const std::string& text);
// A typed amount: by the system's rules, else its leading number.
std::optional<Currency> readTypedAmount(const std::string& text, const NumberMarks& marks);

// The same reading as a floating-point number (a percentage, a count of years).
double readTypedNumber(const std::string& text, const NumberMarks& marks);

// A clock time as the part of a day it marks (00:00 is 0, 09:00 is 0.375):
// hours, minutes and optional seconds separated by ":", optionally followed by
// "am" or "pm" (either case, with or without a blank; "a" and "p" too), or
// hours alone with am/pm ("9 pm"). nullopt for anything else, the empty text
// included.
std::optional<double> readTimeOfDay(const std::string& text);
