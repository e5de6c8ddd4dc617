#include "statements/qt/statement_dates.h"

#include "book/tmain.h"

#include <algorithm>
#include <cmath>

std::pair<double, double> journalDateRange(const Book& book) {
    if (book.EntryLines.empty()) return {0, 0};
    double first = book.EntryLines.front().Date, last = book.EntryLines.back().Date;
    for (const EntryLine& line : book.EntryLines) {
        first = std::min(first, line.Date);
        last = std::max(last, line.Date);
    }
    return {first, last};
}

std::string pickerDateText(double day, const Book& book, const LocaleInfo& locale) {
    const std::string styled = Tmain::FormatDateStyle(day, book.DateStyle, locale);
    const auto back = Tmain::ParseDateStyle(styled, book.DateStyle, locale);
    if (back && *back == std::floor(day)) return styled;
    DateOrder order = dateOrderOf(locale.shortDatePattern);
    if (book.DateStyle >= 1 && book.DateStyle <= 4) order = DateOrder::DayMonthYear;
    if (book.DateStyle >= 5) order = DateOrder::MonthDayYear;
    const char* pattern = order == DateOrder::DayMonthYear   ? "dd/MM/yyyy"
                          : order == DateOrder::MonthDayYear ? "MM/dd/yyyy"
                                                             : "yyyy-MM-dd";
    int y, m, d;
    Tmain::CalendarDate(day, y, m, d);
    return formatDatePattern(pattern, y, m, d, locale);
}
