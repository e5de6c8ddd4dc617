// Amounts as people see and type them: rounded to a report's decimals with the
// locale's decimal and digit-group marks, the plain text form, and reading a
// typed amount by the same marks.
#pragma once

#include "book/currency.h"
#include "book/wide_sum.h"
#include "platform/locale.h"

#include <optional>
#include <string>

struct NumberMarks {
    std::string decimal = ".";
    std::string group = ","; // may be empty (no grouping) or several bytes
};

NumberMarks marksOf(const LocaleInfo& locale);

// Rounds to `places` decimals (0..4; others are clamped), halves away from zero.
// Throws CurrencyOverflow when the result leaves the range.
Currency roundHalfAway(Currency value, int places);
// The same as a wide figure, for a sum of rounded amounts: never throws.
WideSum roundHalfAwayWide(Currency value, int places);
// The same with halves to the even neighbour, for the steps that ask for it.
Currency roundHalfEven(Currency value, int places);

// The display form: `decimals` (0..4) places rounded halves away from zero,
// digits grouped by three, "-1,234.50" or, with `parentheses`, "(1,234.50)".
// A value that rounds to zero carries no sign.
std::string formatAmount(Currency value, int decimals, const NumberMarks& marks,
                         bool parentheses = false);
// The same for a wide total, which may pass the money range (a difference of two totals).
std::string formatAmount(WideSum value, int decimals, const NumberMarks& marks,
                         bool parentheses = false);
inline std::string formatAmount(Currency value, int decimals, const LocaleInfo& locale,
                                bool parentheses = false) {
    return formatAmount(value, decimals, marksOf(locale), parentheses);
}

// The fewest decimals, at least `least` (0..4), that show `value` exactly:
// 2 for 1.50, 4 for 0.0049 (which two decimals would show as 0.00).
int exactDecimals(Currency value, int least = 2);

// The display form with parentheses for a negative amount and no 0 before
// the decimal mark of an amount below 1 in size: ".50", "(.50)", "1.50".
std::string formatAmountWithoutLeadingZero(Currency value, int decimals, const NumberMarks& marks);

// The decimal digits of a whole number of any size up to 128 bits: "0",
// "12345".
std::string decimalDigits(unsigned __int128 value);

// Whole-part digits grouped by threes from the right with `groupMark` (an
// empty mark leaves them as they are): "1234567" gives "1,234,567".
std::string groupedDigits(const std::string& digits, const std::string& groupMark);

// A number as typed back into a box: ungrouped digits, the given decimal mark
// and only the decimals that are not zero, e.g. 12.5 or -3. Account numbers
// go through folioText instead, which also writes the dash form.
std::string plainNumberText(Currency value, const std::string& decimalMark);

// A figure as typed, read from `from` on by the locale's marks: digits, the
// digit-group mark between digits of the whole part, at most one decimal mark
// and the decimals after it. Reading stops at the first character that does
// not fit, a group mark after the decimal mark and a second decimal mark
// among them. Every reader of typed amounts and numbers starts from it.
struct TypedFigure {
    std::string digits;       // every digit read, the whole part's first
    std::size_t decimals = 0; // of them, those after the decimal mark
    bool point = false;       // a decimal mark was read
    // Group marks, where there are any, stand between groups of three:
    // "1,234,567" and "1,234.5", not "1,23,4567", ",123" or "1,".
    bool grouped = true;
    std::size_t end = 0; // where reading stopped

    // The digits with "." before the first `places` decimals, the later ones
    // left out: "1234.5" (as Currency::parse reads it within four places).
    std::string plainText(std::size_t places = 4) const;
};
TypedFigure readTypedFigure(const std::string& text, std::size_t from, const NumberMarks& marks);

// Reads a typed amount: digits, at most one decimal mark followed by at most
// four digits, and group marks in the whole part (then grouping by threes:
// "1,234,567"). A sign, parentheses, blanks, any other character, misplaced
// group marks or an amount out of range: nullopt.
std::optional<Currency> parseAmount(const std::string& text, const NumberMarks& marks);
// The same with a leading "-" for an amount below zero, as the program
// writes one (the lowest amount there is too).
std::optional<Currency> parseSignedAmount(const std::string& text, const NumberMarks& marks);
inline std::optional<Currency> parseAmount(const std::string& text, const LocaleInfo& locale) {
    return parseAmount(text, marksOf(locale));
}
