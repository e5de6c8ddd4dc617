// The journal's first and last day, and the text a date picker is given,
// for the windows' default dates.
#pragma once

#include "book/book.h"
#include "platform/locale.h"

#include <string>
#include <utility>

// Earliest and latest line date (0, 0 for an empty journal).
std::pair<double, double> journalDateRange(const Book& book);

// The day as a date picker shows it: in the book's date style, which the
// pickers read back as the same day.
std::string pickerDateText(double day, const Book& book, const LocaleInfo& locale);
