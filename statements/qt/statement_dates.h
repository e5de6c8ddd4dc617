// The journal's first and last day, for the windows' default dates.
#pragma once

#include "book/book.h"

#include <utility>

// Earliest and latest line date (0, 0 for an empty journal).
std::pair<double, double> journalDateRange(const Book& book);
