#include "statements/statement_text.h"

#include "book/tmain.h"

#include <cmath>

std::string statementAmountText(Currency value, int decimals, const NumberMarks& marks,
                                bool leadingZero) {
    return leadingZero ? formatAmount(value, decimals, marks, true)
                       : formatAmountWithoutLeadingZero(value, decimals, marks);
}

std::string percentText(double ratio, const NumberMarks& marks) {
    double hundredths = std::round(std::fabs(ratio) * 10000.0); // percent with two decimals
    if (!std::isfinite(hundredths) || hundredths > 9.0e14) hundredths = 9.0e14;
    const Currency percent = Currency::fromRaw(static_cast<std::int64_t>(hundredths) * 100);
    const std::string text = formatAmount(percent, 2, marks) + "%";
    return ratio < 0 && hundredths > 0 ? "(" + text + ")" : text;
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
