// The system's number and date conventions, as plain data. The Qt layer fills
// one from the system locale; tests install fixed ones.
#pragma once

#include <array>
#include <string>
#include <vector>

struct LocaleInfo {
    std::string name = "en_US"; // language and country, e.g. "de_DE"
    // Short-date pattern in the letters d, M, y (e.g. "dd/MM/yyyy", "M/d/yy", "yyyy-MM-dd").
    std::string shortDatePattern = "M/d/yyyy";
    std::string decimalMark = ".";
    std::string groupMark = ","; // may be empty (no grouping) or several bytes
    // The locale's own currency symbol, whole: "$", "Ft", "CHF"; may be empty.
    std::string currencySymbol = "$";
    std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

    std::string language() const { return name.substr(0, name.find('_')); }
};

// The decimal mark numbers are read and written with: the locale's, or "."
// for a locale that gives none (with no mark 1.5 would be written 15).
std::string decimalMarkOf(const LocaleInfo& locale);

enum class DateOrder { DayMonthYear, MonthDayYear, YearMonthDay };

// The order of day, month and year in a short-date pattern, and its separator
// (the first character that is not a pattern letter; "/" when there is none).
DateOrder dateOrderOf(const std::string& shortDatePattern);
std::string dateSeparatorOf(const std::string& shortDatePattern);

// A short-date pattern in its parts: a run of one pattern letter (d, M or y,
// `count` times) or literal text (letter 0; quotes removed).
struct DatePatternPart {
    char letter = 0;
    std::size_t count = 0;
    std::string text;
};
std::vector<DatePatternPart> splitDatePattern(const std::string& shortDatePattern);

// A date written by a pattern in the letters d, dd, M, MM, MMM, MMMM, yy, yyyy.
std::string formatDatePattern(const std::string& pattern, int year, int month, int day,
                              const LocaleInfo& locale);

// Fixed locales for tests and for the standard forms.
LocaleInfo dayFirstLocale();     // en_GB: dd/MM/yyyy, "." and ","
LocaleInfo monthFirstLocale();   // en_US: M/d/yyyy, "." and ","
LocaleInfo decimalCommaLocale(); // de_DE: dd.MM.yy, "," and "."
LocaleInfo yearFirstLocale();    // sv_SE-like: yyyy-MM-dd, "," and " "
