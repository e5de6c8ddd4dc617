#include "platform/locale.h"

#include <cstdio>

namespace {
bool isPatternLetter(char c) {
    return c == 'd' || c == 'M' || c == 'y';
}
} // namespace

DateOrder dateOrderOf(const std::string& pattern) {
    for (char c : pattern) {
        if (c == 'd') return DateOrder::DayMonthYear;
        if (c == 'M') return DateOrder::MonthDayYear;
        if (c == 'y') return DateOrder::YearMonthDay;
    }
    return DateOrder::MonthDayYear;
}

std::string dateSeparatorOf(const std::string& pattern) {
    std::size_t i = 0;
    while (i < pattern.size() && isPatternLetter(pattern[i]))
        ++i;
    // Skip quoted literal text only when it is the whole separator run.
    std::size_t j = i;
    while (j < pattern.size() && !isPatternLetter(pattern[j]))
        ++j;
    std::string sep = pattern.substr(i, j - i);
    // Trim blanks around a separator like ". " but keep a lone blank.
    while (sep.size() > 1 && sep.back() == ' ')
        sep.pop_back();
    if (sep.empty()) return "/";
    return sep;
}

std::vector<DatePatternPart> splitDatePattern(const std::string& pattern) {
    std::vector<DatePatternPart> parts;
    auto addLiteral = [&](const std::string& text) {
        if (parts.empty() || parts.back().letter != 0) parts.push_back({});
        parts.back().text += text;
    };
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'') { // quoted literal
            std::size_t end = pattern.find('\'', i + 1);
            if (end == std::string::npos) end = pattern.size();
            addLiteral(pattern.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (!isPatternLetter(c)) {
            addLiteral(std::string(1, c));
            ++i;
        } else {
            std::size_t n = 0;
            while (i + n < pattern.size() && pattern[i + n] == c)
                ++n;
            parts.push_back({c, n, {}});
            i += n;
        }
    }
    return parts;
}

std::string formatDatePattern(const std::string& pattern, int year, int month, int day,
                              const LocaleInfo& locale) {
    std::string out;
    char buf[16];
    for (const DatePatternPart& part : splitDatePattern(pattern)) {
        const std::size_t n = part.count;
        if (part.letter == 0) {
            out += part.text;
        } else if (part.letter == 'd') {
            std::snprintf(buf, sizeof buf, n >= 2 ? "%02d" : "%d", day);
            out += buf;
        } else if (part.letter == 'M') {
            const bool named = n >= 3 && month >= 1 && month <= 12; // names only for real months
            if (named && n >= 4)
                out += locale.longMonthNames[month - 1];
            else if (named)
                out += locale.shortMonthNames[month - 1];
            else {
                std::snprintf(buf, sizeof buf, n >= 2 ? "%02d" : "%d", month);
                out += buf;
            }
        } else {
            if (n <= 2)
                std::snprintf(buf, sizeof buf, "%02d", ((year % 100) + 100) % 100);
            else
                std::snprintf(buf, sizeof buf, "%04d", year);
            out += buf;
        }
    }
    return out;
}

std::string decimalMarkOf(const LocaleInfo& locale) {
    return locale.decimalMark.empty() ? std::string(".") : locale.decimalMark;
}

LocaleInfo dayFirstLocale() {
    LocaleInfo l;
    l.name = "en_GB";
    l.shortDatePattern = "dd/MM/yyyy";
    l.currencySymbol = "\xC2\xA3"; // pound
    return l;
}

LocaleInfo monthFirstLocale() {
    return LocaleInfo{};
}

LocaleInfo decimalCommaLocale() {
    LocaleInfo l;
    l.name = "de_DE";
    l.shortDatePattern = "dd.MM.yy";
    l.decimalMark = ",";
    l.groupMark = ".";
    l.currencySymbol = "\xE2\x82\xAC"; // euro
    l.longMonthNames = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    l.shortMonthNames = {"Jan.", "Feb.", "März", "Apr.", "Mai",  "Juni",
                         "Juli", "Aug.", "Sep.", "Okt.", "Nov.", "Dez."};
    return l;
}

LocaleInfo yearFirstLocale() {
    LocaleInfo l;
    l.name = "sv_SE";
    l.shortDatePattern = "yyyy-MM-dd";
    l.decimalMark = ",";
    l.groupMark = "\xC2\xA0"; // no-break space
    l.currencySymbol = "kr";
    return l;
}
