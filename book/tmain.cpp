#include "book/tmain.h"

#include "book/account_number_rule.h"
#include "book/day_of_date.h"
#include "book/entry_reference.h"
#include "book/leading_number.h"
#include "book/safe_file.h"
#include "book/text_encoding.h"
#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <vector>

namespace Tmain {

// --- account lookups ---

namespace {
// Slots the lookups scan: 0..LastAccount, never beyond the arrays.
int scannedSlots(const Book& book) {
    int last = std::min<int>(book.LastAccount, static_cast<int>(book.AccountNumbers.size()) - 1);
    last = std::min<int>(last, static_cast<int>(book.AccountNames.size()) - 1);
    return last + 1;
}
} // namespace

std::optional<int> AccountSlotByNumber(const Book& book, Currency number) {
    if (!isAccountNumber(number)) return std::nullopt;
    const int slots = scannedSlots(book);
    for (int i = 0; i < slots; ++i)
        if (book.AccountNumbers[i] == number) return i;
    return std::nullopt;
}

std::string AccountNameByNumber(const Book& book, Currency number) {
    auto slot = AccountSlotByNumber(book, number);
    return slot ? book.AccountNames[*slot] : std::string();
}

std::string AccountIndexByNumber(const Book& book, Currency number) {
    auto slot = AccountSlotByNumber(book, number);
    return std::to_string(slot ? *slot : 0);
}

Currency AccountNumberByName(const Book& book, const std::string& name) {
    if (name.empty()) return Currency();
    const int slots = scannedSlots(book);
    for (int i = 0; i < slots; ++i)
        if (book.AccountNames[i] == name) return book.AccountNumbers[i];
    return Currency();
}

std::string WidestText(const std::vector<std::string>& texts,
                       const std::function<double(const std::string&)>& width) {
    double widest = 0;
    const std::string* found = nullptr;
    for (const std::string& text : texts) {
        const double w = width(text);
        if (w > widest) {
            widest = w;
            found = &text;
        }
    }
    return found ? *found : std::string();
}

std::string LongestAccountName(const Book& book,
                               const std::function<double(const std::string&)>& width) {
    return WidestText(book.AccountNames, width);
}

// --- references and numbers ---

double LeadingNumberValue(const std::string& text) {
    const LeadingNumber n = scanLeadingNumber(text);
    if (n.radix != 10) {
        double value = 0;
        for (char c : n.digits)
            value = value * n.radix + digitValue(c);
        return value;
    }
    if (n.digits.empty()) return 0;
    // The number in the form from_chars reads.
    const std::size_t whole = n.digits.size() - static_cast<std::size_t>(n.decimals);
    std::string number = n.negative ? "-" : "";
    number += n.digits.substr(0, whole) + "." + n.digits.substr(whole);
    if (n.exponent != 0) number += "e" + std::to_string(n.exponent);
    // from_chars ignores the process locale, which the windows may have set.
    double value = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    // A number too large for a double counts as no number.
    return ec == std::errc() && std::isfinite(value) ? value : 0;
}

std::string NextEntryId(const Book& book, const std::string& decimalMark) {
    // The whole journal is looked back over: a lookout of a few lines could
    // miss the newest number behind lines without one and repeat a reference.
    std::int32_t line =
        std::min(book.LastEntryLine(), static_cast<std::int32_t>(book.EntryIds.size()) - 1);
    for (; line >= 0; --line) {
        const std::string reference = book.EntryIds[static_cast<std::size_t>(line)].raw();
        if (referenceHasNumber(reference, decimalMark))
            return referenceAfter(reference, decimalMark);
    }
    return "1";
}

// --- dates ---

namespace {
using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr sys_days DayZero = sys_days(year(1899) / 12 / 30);
// 1 January 100 and 31 December 9999: the dates the book can hold.
const double FirstDay = -657434;
const double LastDay = 2958465;

bool inRange(double date) {
    return std::isfinite(date) && dayOfDate(date) >= FirstDay && dayOfDate(date) <= LastDay;
}

// The whole part of a day number as a calendar day (the time of day never
// moves the day, also before 1899).
sys_days calendarDay(double dayNumber) {
    double whole = std::isfinite(dayNumber) ? dayOfDate(dayNumber) : 0;
    whole = std::clamp(whole, FirstDay, LastDay);
    return DayZero + days(static_cast<int>(whole));
}
} // namespace

double DayNumber(int y, int m, int d) {
    // Days beyond the month's end count on into the next, as the day arithmetic always did.
    // Months beyond 1..12 count on into the years around.
    const auto yearMonth = year(y) / std::chrono::January + std::chrono::months(m - 1);
    const sys_days first = sys_days(yearMonth / day(1));
    return static_cast<double>((first - DayZero).count() + d - 1);
}

void CalendarDate(double dayNumber, int& y, int& m, int& d) {
    const year_month_day date(calendarDay(dayNumber));
    y = static_cast<int>(date.year());
    m = static_cast<int>(static_cast<unsigned>(date.month()));
    d = static_cast<int>(static_cast<unsigned>(date.day()));
}

bool IsLeapYear(int y) {
    return year(y).is_leap();
}

int DaysInMonth(int y, int m) {
    const auto last = year(y) / month(static_cast<unsigned>(m)) / std::chrono::last;
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

int Weekday(double dayNumber) {
    return static_cast<int>(std::chrono::weekday(calendarDay(dayNumber)).c_encoding()) + 1;
}

bool IsValidDate(int y, int m, int d) {
    if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
    return d <= DaysInMonth(y, m);
}

namespace {
// The fixed styles 1..8 as a pattern: day or month first, two or four year
// digits, the locale's separator or "-".
std::string fixedStylePattern(int dateStyle, const LocaleInfo& locale, bool fourDigitYear) {
    const bool dayFirst = dateStyle <= 4;
    const bool fullYear = fourDigitYear || dateStyle % 2 == 0;
    const bool slash = dateStyle == 1 || dateStyle == 2 || dateStyle == 5 || dateStyle == 6;
    std::string sep = slash ? dateSeparatorOf(locale.shortDatePattern) : "-";
    // A separator made of pattern letters or quotes would read as fields.
    if (sep.find_first_of("dMy'") != std::string::npos) sep = "/";
    return std::string(dayFirst ? "dd" : "MM") + sep + (dayFirst ? "MM" : "dd") + sep +
           (fullYear ? "yyyy" : "yy");
}

// A pattern whose two-letter years are widened to four.
std::string withFourDigitYears(const std::string& pattern) {
    std::string out;
    for (const DatePatternPart& part : splitDatePattern(pattern)) {
        if (part.letter == 0)
            out += "'" + part.text + "'";
        else
            out +=
                std::string(part.letter == 'y' ? std::max<std::size_t>(part.count, 4) : part.count,
                            part.letter);
    }
    return out;
}

std::string stylePattern(int dateStyle, const LocaleInfo& locale, bool fourDigitYear) {
    if (dateStyle != 0) return fixedStylePattern(dateStyle, locale, fourDigitYear);
    return fourDigitYear ? withFourDigitYears(locale.shortDatePattern) : locale.shortDatePattern;
}
} // namespace

std::string FormatDateStyle(double date, int dateStyle, const LocaleInfo& locale,
                            YearDigits yearDigits) {
    if (dateStyle < 0 || dateStyle > 8 || !inRange(date)) return "";
    int y, m, d;
    CalendarDate(date, y, m, d);
    const std::string pattern = stylePattern(dateStyle, locale, yearDigits == YearDigits::Four);
    return formatDatePattern(pattern, y, m, d, locale);
}

std::string DateStylePattern(int dateStyle, const LocaleInfo& locale) {
    return stylePattern(dateStyle >= 0 && dateStyle <= 8 ? dateStyle : 0, locale, false);
}

std::string DateStyleSeparator(int dateStyle, const LocaleInfo& locale) {
    return dateSeparatorOf(DateStylePattern(dateStyle, locale));
}

int FullYear(int twoDigitYear) {
    int thisYear, month, day;
    CalendarDate(todayNumber(), thisYear, month, day);
    const int first = thisYear - 80;
    return first + ((twoDigitYear - first) % 100 + 100) % 100;
}

namespace {

enum class Field { Day, Month, Year };

// What a pattern asks for: its three fields in order (a month by name or as a
// number) and the literal text before, between and after them (blanks around
// it trimmed).
struct DateLayout {
    std::vector<Field> fields;
    std::vector<std::string> gaps; // fields.size() + 1 texts
    bool monthByName = false;
};

std::string trimBlanks(const std::string& text) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    return text.substr(b, e - b);
}

DateLayout layoutOf(const std::string& pattern) {
    DateLayout layout;
    std::string literal;
    for (const DatePatternPart& part : splitDatePattern(pattern)) {
        if (part.letter == 0) {
            literal += part.text;
            continue;
        }
        const Field f = part.letter == 'd'   ? Field::Day
                        : part.letter == 'M' ? Field::Month
                                             : Field::Year;
        if (std::find(layout.fields.begin(), layout.fields.end(), f) != layout.fields.end())
            continue;
        layout.fields.push_back(f);
        layout.gaps.push_back(trimBlanks(literal));
        literal.clear();
        if (f == Field::Month && part.count >= 3) layout.monthByName = true;
    }
    layout.gaps.push_back(trimBlanks(literal));
    if (layout.fields.size() != 3) { // not a whole date: the pattern's order, numbers only
        const std::string sep = dateSeparatorOf(pattern);
        layout.gaps = {"", sep, sep, ""};
        layout.monthByName = false;
        switch (dateOrderOf(pattern)) {
        case DateOrder::DayMonthYear:
            layout.fields = {Field::Day, Field::Month, Field::Year};
            break;
        case DateOrder::MonthDayYear:
            layout.fields = {Field::Month, Field::Day, Field::Year};
            break;
        default:
            layout.fields = {Field::Year, Field::Month, Field::Day};
            break;
        }
    }
    return layout;
}

// A letter as month names are compared: folded by the case table, and the
// dotted and dotless i of Turkish as the one i their capitals share ("MAYIS"
// is "Mayıs", "NİSAN" is "Nisan").
char32_t nameLetter(char32_t c) {
    c = encoding::foldCase(c);
    return c == 0x130 || c == 0x131 ? U'i' : c;
}

// The bytes of `text` from `at` that spell `name` in any case; 0 when they do not.
std::size_t nameLengthAt(const std::string& text, std::size_t at, const std::string& name) {
    std::size_t t = at;
    for (std::size_t n = 0; n < name.size();) {
        if (t >= text.size()) return 0;
        if (nameLetter(encoding::nextCodePoint(text, t)) !=
            nameLetter(encoding::nextCodePoint(name, n)))
            return 0;
    }
    return t - at;
}

// The month whose long or short name starts at `at` (the longest that does),
// with the length of the text it takes; 0 when none does.
int monthNameAt(const std::string& text, std::size_t at, const LocaleInfo& locale,
                std::size_t& length) {
    int month = 0;
    length = 0;
    for (int m = 0; m < 12; ++m)
        for (const std::string* name : {&locale.longMonthNames[m], &locale.shortMonthNames[m]})
            if (const std::size_t taken = nameLengthAt(text, at, *name); taken > length) {
                month = m + 1;
                length = taken;
            }
    return month;
}

// Reads the text between two fields (or before the first, or after the last):
// blanks, then the pattern's own text there or, between fields, "/" or "-",
// then blanks. False when a field is followed by another without anything
// between them where the pattern has something.
bool readGap(const std::string& text, std::size_t& i, const std::string& gap, bool inner) {
    const std::size_t start = i;
    auto blanks = [&] {
        while (i < text.size() && text[i] == ' ')
            ++i;
    };
    blanks();
    if (!gap.empty() && text.compare(i, gap.size(), gap) == 0)
        i += gap.size();
    else if (inner && i < text.size() && (text[i] == '/' || text[i] == '-'))
        ++i;
    blanks();
    return !inner || gap.empty() || i > start;
}

// Reads up to `maxDigits` digits; -1 when there are none or too many.
int readDigits(const std::string& text, std::size_t& i, int maxDigits, int& digits) {
    int value = 0;
    digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (++digits > maxDigits) return -1;
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    return digits == 0 ? -1 : value;
}

} // namespace

DateStyleReader::DateStyleReader(int dateStyle, const LocaleInfo& locale) : locale_(locale) {
    const DateLayout layout = layoutOf(DateStylePattern(dateStyle, locale));
    for (Field field : layout.fields)
        fields_.push_back(field == Field::Day ? 'd' : field == Field::Month ? 'M' : 'y');
    gaps_ = layout.gaps;
    monthByName_ = layout.monthByName;
}

std::optional<double> DateStyleReader::read(const std::string& text) const {
    int day = 0, month = 0, year = 0, yearDigits = 0;
    std::size_t i = 0;
    for (std::size_t k = 0; k < fields_.size(); ++k) {
        const char field = fields_[k];
        if (!readGap(text, i, gaps_[k], k > 0)) return std::nullopt;
        std::size_t nameLength = 0;
        if (field == 'M' && monthByName_ &&
            (month = monthNameAt(text, i, locale_, nameLength)) != 0) {
            i += nameLength;
            continue;
        }
        int digits = 0;
        const int value = readDigits(text, i, field == 'y' ? 4 : 2, digits);
        if (value < 0) return std::nullopt;
        if (field == 'd') day = value;
        if (field == 'M') month = value;
        if (field == 'y') year = value, yearDigits = digits;
    }
    readGap(text, i, gaps_.back(), false);
    if (i != text.size()) return std::nullopt;
    if (yearDigits <= 2) year = FullYear(year);
    if (!IsValidDate(year, month, day)) return std::nullopt;
    return DayNumber(year, month, day);
}

bool SpellsMonthName(const std::string& text, const std::string& name) {
    return !name.empty() && nameLengthAt(text, 0, name) == text.size();
}

std::optional<double> ParseDateStyle(const std::string& text, int dateStyle,
                                     const LocaleInfo& locale) {
    return DateStyleReader(dateStyle, locale).read(text);
}

// --- progress, files, errors ---

void StepProgress(RunTimeState& run) {
    run.ProgressValue += 29;
    const int percent = std::min(run.ProgressValue / 29, 100);
    services().progress->setProgress(run.ProgressValue, std::to_string(percent) + "%");
    services().progress->processEvents();
}

void BeginProgress(RunTimeState& run, const std::string& activity) {
    run.ProgressValue = 0;
    services().progress->setActivity(activity);
    services().progress->setProgress(0, "0%");
}

void EndProgress(RunTimeState& run) {
    run.ProgressValue = 0;
    services().progress->finish();
}

std::string StripExtension(const std::string& name) {
    const std::size_t slash = name.find_last_of('/');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot < start) return name;
    return name.substr(0, dot);
}

namespace {
constexpr int OtherFileError = 57; // device input/output error of an unknown kind
// A file refused before reading or writing has a number of its own per
// refusal, whose text is the refusal's.
constexpr int FirstRefusalNumber = 1000;
constexpr int LastRefusal = static_cast<int>(FileRefusal::TooLargeToOpen); // the last of them
} // namespace

int FileErrorNumber(const std::error_code& ec) {
    if (ec.category() == fileRefusalCategory()) return FirstRefusalNumber + ec.value();
    // On this system both categories carry errno values.
    int err;
    if (ec.category() == std::system_category() || ec.category() == std::generic_category())
        err = ec.value();
    else if (ec.default_error_condition().category() == std::generic_category())
        err = ec.default_error_condition().value();
    else
        return OtherFileError;
    switch (err) {
    case ENOMEM:
        return 7;
    case EIO:
        return 56;
    case ENOSPC:
    case EDQUOT:
        return 61;
    case ENODEV:
    case ENXIO:
        return 68;
    case EACCES:
    case EPERM: // not known to be reading, writing or removing
        return FileErrorNumber(fileErrorFor(err, FileUse::Other));
    case EBUSY:
    case ETXTBSY:
        return 70;
    case EROFS:
        return 75;
    case ENOENT:
        return 53; // file not found
    case ENOTDIR:
    case ENAMETOOLONG:
        return 76; // path not found
    default:
        return OtherFileError;
    }
}

std::string FileErrorText(int number) {
    if (number > FirstRefusalNumber && number <= FirstRefusalNumber + LastRefusal)
        return make_error_code(static_cast<FileRefusal>(number - FirstRefusalNumber)).message();
    switch (number) {
    case 7:
        return strings::text(309);
    case 53:
        return "The file was not found, or a folder on its path does not exist.";
    case 56:
        return strings::text(310);
    case 61:
        return strings::text(311);
    case 68:
        return strings::text(312);
    case 70:
        return strings::text(313);
    case 71:
        return strings::text(314);
    case 75:
        return strings::text(315);
    case 76:
        return "The file's path cannot be followed: a part of it is not a folder, or the name is "
               "too long.";
    default:
        return "Opening / File Data Mismatch Error " + std::to_string(number) +
               " Please Contact Korvane Support";
    }
}

void FileErrorMessage(int number) {
    showMessage(FileErrorText(number), "", MessageButtons::Ok);
}

std::string FileErrorText(const std::error_code& ec) {
    if (ec.category() == fileRefusalCategory()) return ec.message();
    return FileErrorText(FileErrorNumber(ec));
}

void FileErrorMessage(const std::error_code& ec) {
    showMessage(FileErrorText(ec), "", MessageButtons::Ok);
}

std::string FileFaultText(const std::filesystem::path& file, const std::error_code& ec) {
    if (ec.category() == fileRefusalCategory()) {
        const auto refusal = static_cast<FileRefusal>(ec.value());
        std::error_code unknown;
        const bool link = std::filesystem::is_symlink(file, unknown);
        if (const std::string kind = kindOfRefusal(refusal); !kind.empty())
            return file.string() + " is " + (link ? "a symbolic link to " : "") + kind +
                   ", not a file.";
        if (refusal == FileRefusal::LinkLoop)
            return file.string() + ": a symbolic link on its way leads back to itself (too many "
                                   "levels of symbolic links).";
    }
    return file.string() + ": " + FileErrorText(ec);
}

std::string UnchangedFileNote(const std::filesystem::path& file) {
    std::error_code unknown;
    return std::filesystem::is_regular_file(file, unknown)
               ? " (the file of that name stays as it was)"
               : "";
}

namespace {
std::string writeFailureHead(const std::filesystem::path& file) {
    return "The file could not be written" + UnchangedFileNote(file) + ":\n";
}
} // namespace

std::string WriteFailureText(const std::filesystem::path& file, const std::error_code& ec) {
    return writeFailureHead(file) + FileFaultText(file, ec);
}

std::string WriteFailureText(const std::filesystem::path& file, const std::string& why) {
    return writeFailureHead(file) + file.string() + ": " + why;
}

std::string ReadFailureText(const std::filesystem::path& file, const std::error_code& ec) {
    return "The file could not be read:\n" + FileFaultText(file, ec);
}

std::string NamingFile(const std::filesystem::path& file, const std::string& message) {
    if (message.find(file.string()) != std::string::npos) return message;
    return file.string() + ":\n" + message;
}

} // namespace Tmain
