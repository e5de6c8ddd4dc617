// The balance sheet drawn on the window or on paper, in either layout:
// business name, title, the asset and liability sections with their computed
// rows, then capital with the period's profit or loss.
#pragma once

#include "book/book.h"
#include "statements/balance_sheet.h"
#include "statements/qt/draw_target.h"

// Draws from t.s.CurrentY; returns the height drawn, with a 400-twip margin.
double drawBalanceSheet(DrawTarget& t, const Book& book, const BalanceSheet& bs,
                        BalanceSheetLayout layout);
