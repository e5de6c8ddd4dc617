// How the statements write their figures, dates and headings: amounts
// rounded to the statement's decimals with the locale's digit grouping and
// negatives in parentheses, with or without the zero before the decimal
// mark; ratios as percentages; dates as "dd mmmm yyyy" or "d mmmm yyyy".
#pragma once

#include "book/business_heading.h"
#include "book/currency.h"
#include "book/number_format.h"
#include "platform/locale.h"

#include <cmath>
#include <optional>
#include <string>

// The amount as a statement shows it: `decimals` places (halves away from
// zero), grouped digits, "(1,234.50)" for a negative amount. Without
// `leadingZero` an amount below 1 in size drops its zero: ".50", "(.50)".
std::string statementAmountText(Currency value, int decimals, const NumberMarks& marks,
                                bool leadingZero);

// The ratio part / whole written as a percentage with 2 decimals (halves
// away from zero), grouped digits, a leading zero and a negative value in
// parentheses: 400 / 1000 gives "40.00%", -100 / 1000 "(10.00%)". Worked out
// exactly, so that every ratio of two amounts is written in full; "" when
// `whole` is 0.
std::string percentText(Currency part, Currency whole, const NumberMarks& marks);

// "dd mmmm yyyy" (07 March 2024) or, with `twoDigitDay` false, "d mmmm yyyy"
// (7 March 2024), month names of the locale.
std::string longDateText(double day, const LocaleInfo& locale, bool twoDigitDay = true);
// "mmm yyyy" (Mar 2024) and "yyyy" (2024).
std::string monthYearText(double day, const LocaleInfo& locale);
std::string yearText(double day);

// Rows of the statements that list named accounts with one amount.
struct StatementRow {
    int slot = 0;           // the table slot that made the row
    std::string name;       // the slot's account name
    Currency number;        // the slot's account number
    Currency amount;        // signed as the statement defines it
    std::string amountText; // the amount as the statement writes it
};
