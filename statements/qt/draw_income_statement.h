// The income statement drawn on the window or on paper: business name,
// title, period, then revenue, cost of goods sold and expenses with their
// totals, gross profit and the net line.
#pragma once

#include "book/book.h"
#include "statements/income_statement.h"
#include "statements/qt/draw_target.h"

// Draws from t.s.CurrentY; returns the height drawn, with a 590-twip margin.
double drawIncomeStatement(DrawTarget& t, const Book& book, const IncomeStatement& is);
