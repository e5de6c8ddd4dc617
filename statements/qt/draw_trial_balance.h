// The trial balance drawn on the window or on paper: business name, title,
// the three heading boxes, one banded line per account with a balance, and
// the totals.
#pragma once

#include "book/book.h"
#include "statements/qt/draw_target.h"
#include "statements/trial_balance.h"

// Draws from t.s.CurrentY; returns the height drawn, with a 400-twip margin.
double drawTrialBalance(DrawTarget& t, const Book& book, const TrialBalance& tb);
