#include "statements/statement_text.h"

#include "book/tmain.h"

#include <cmath>

std::string statementAmountText(Currency value, int decimals, const NumberMarks& marks,
                                bool leadingZero) {
    return leadingZero ? formatAmount(value, decimals, marks, true)
                       : formatAmountWithoutLeadingZero(value, decimals, marks);
}

namespace {

using Magnitude = unsigned __int128;

Magnitude magnitudeOf(std::int64_t raw) {
    return raw < 0 ? Magnitude(0) - static_cast<Magnitude>(raw) : static_cast<Magnitude>(raw);
}

} // namespace

std::string percentText(Currency part, Currency whole, const NumberMarks& marks) {
    const Magnitude divisor = magnitudeOf(whole.raw);
    if (divisor == 0) return "";
    // Hundredths of a percent, part × 10000 ÷ whole: at most 2^63 × 10^4, far
    // inside 128 bits.
    const Magnitude scaled = magnitudeOf(part.raw) * 10000;
    Magnitude hundredths = scaled / divisor;
    if ((scaled % divisor) * 2 >= divisor) ++hundredths;
    const std::string cents = decimalDigits(hundredths % 100);
    const std::string text = groupedDigits(decimalDigits(hundredths / 100), marks.group) +
                             marks.decimal + (cents.size() < 2 ? "0" : "") + cents + "%";
    const bool negative = (part.raw < 0) != (whole.raw < 0);
    return negative && hundredths > 0 ? "(" + text + ")" : text;
}

std::string longDateText(double day, const LocaleInfo& locale, bool twoDigitDay) {
    int y = 0, m = 0, d = 0;
    Tmain::CalendarDate(day, y, m, d);
    return formatDatePattern(twoDigitDay ? "dd MMMM yyyy" : "d MMMM yyyy", y, m, d, locale);
}

std::string monthYearText(double day, const LocaleInfo& locale) {
    int y = 0, m = 0, d = 0;
    Tmain::CalendarDate(day, y, m, d);
    return formatDatePattern("MMM yyyy", y, m, d, locale);
}

std::string yearText(double day) {
    int y = 0, m = 0, d = 0;
    Tmain::CalendarDate(day, y, m, d);
    return std::to_string(y);
}
