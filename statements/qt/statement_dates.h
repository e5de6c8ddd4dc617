// The journal's first and last day, and the text a date picker is given,
// for the windows' default dates.
#pragma once

#include "book/book.h"
#include "platform/locale.h"

#include <string>
#include <utility>

// Earliest and latest line date (0, 0 for an empty journal).
std::pair<double, double> journalDateRange(const Book& book);

// The day as a date picker shows it: in the book's date style when the
// pickers read that text back as the same day, else (a locale whose short
// date spells the month) as numbers in the order the pickers read.
std::string pickerDateText(double day, const Book& book, const LocaleInfo& locale);
