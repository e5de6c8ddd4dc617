// How every date box's text is read into the day it names: the main
// window's entry date, the ledgers' periods and the statements' dates.
#pragma once

#include "platform/locale.h"

#include <optional>
#include <string>

// The day a date box was given and the text it was given for it.
struct KeptDate {
    std::string text;
    double day = 0;
};

// A date box's text read, and what the box then shows.
struct DateBoxReading {
    double day = 0;
    std::string text;    // the day in the book's date style
    std::string problem; // InvalidDateText when the text names no day, else ""
};

// The box still showing the text it was given (`kept`) names that day
// exactly: a style with a two-digit year would read it back in another
// century. Any other text is read in the book's date style; one that names
// no day gives `fallback` and is told.
DateBoxReading readDateBox(const std::string& shown, const std::optional<KeptDate>& kept,
                           double fallback, int dateStyle, const LocaleInfo& locale);
