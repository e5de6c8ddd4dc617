#include "statements/qt/statement_dates.h"

#include "book/tmain.h"

#include <algorithm>

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
    return Tmain::FormatDateStyle(day, book.DateStyle, locale);
}
