#include "mainwindow/startup_state.h"

#include "platform/services.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

const char* const MainCaptionPrefix = "Ledgerwick V7.5 : ";

std::string mainCaption(const std::string& bookPath) {
    if (bookPath.empty()) return MainCaptionPrefix;
    return MainCaptionPrefix + bookPath + "    ";
}

namespace {

// Component less i/2, to the nearest integer with halves to the even one.
int darker(int component, int i) {
    double v = std::nearbyint(component - i / 2.0); // default rounding: to nearest, ties even
    return std::clamp(static_cast<int>(v), 0, 255);
}

std::optional<int> readTwips(const std::string& key) {
    std::optional<std::string> text = services().settings->get("LW", "Settings", key);
    if (!text) return std::nullopt;
    const char* begin = text->c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v) || v <= 0 || v > 1e6) return std::nullopt;
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

std::array<std::int32_t, 37> toolbarGradient(int red, int green, int blue) {
    std::array<std::int32_t, 37> colours{};
    for (int i = 1; i <= ToolbarRows; ++i)
        colours[i] = rgbColor(darker(red, i), darker(green, i), darker(blue, i));
    return colours;
}

std::int16_t fontCharsetFromText(const std::string& text330) {
    const char* begin = text330.c_str();
    char* end = nullptr;
    long v = std::strtol(begin, &end, 10);
    if (end == begin || v < 0 || v > 32767) return 0;
    return static_cast<std::int16_t>(v);
}

std::int16_t dateStyleForLocale(const LocaleInfo& locale) {
    std::string day1 = formatDatePattern(locale.shortDatePattern, 1899, 12, 31, locale);
    if (day1.size() <= 10) return 0;
    // Month first only where the locale's own order starts with the month.
    return dateOrderOf(locale.shortDatePattern) == DateOrder::MonthDayYear ? 6 : 2;
}

StartupMarks numberMarksFor(const LocaleInfo& locale) {
    return StartupMarks{decimalMarkOf(locale), locale.groupMark};
}

std::string currencyLabelOf(const LocaleInfo& locale) {
    return locale.currencySymbol + " :";
}

std::string balanceAccountName() {
    return strings::text(155) + " b/f";
}

bool nameIsThere(const std::filesystem::path& path) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    return exists ||
           (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory);
}

std::string commandLineBookPath(const std::string& wholeCommandLine) {
    const std::size_t b = wholeCommandLine.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    if (nameIsThere(wholeCommandLine)) return wholeCommandLine;
    const std::size_t e = wholeCommandLine.find_last_not_of(" \t");
    if (e > b && wholeCommandLine[b] == '"' && wholeCommandLine[e] == '"')
        return wholeCommandLine.substr(b + 1, e - b - 1);
    return wholeCommandLine;
}

void applyStartupBook(Book& book, RunTimeState& run, const LocaleInfo& locale, double today,
                      std::int16_t fontCharset) {
    VariantText fontName = book.FontName;
    book = makeEmptyBook(strings::text(155), today, fontCharset);
    book.FontName = fontName;
    book.DecimalsJournal = 2;
    book.DecimalsLedger = 2;
    book.AutoIncrement = 1;
    book.DateStyle = dateStyleForLocale(locale);
    run.PrintScale = 1.0f;
    StartupMarks marks = numberMarksFor(locale);
    run.DecimalSeparator = marks.decimal;
    run.ThousandsSeparator = marks.thousands;
    run.RowBase = run.CurrentFirstLine = 0;
    run.CurrentLastLine = book.LastEntryLine();
    markBookReplaced(run);
}

StoredSize readStoredWindowSize() {
    return {readTwips("Width"), readTwips("Height")};
}

void storeWindowSize(int widthTwips, int heightTwips) {
    services().settings->set("LW", "Settings", "Width", std::to_string(widthTwips));
    services().settings->set("LW", "Settings", "Height", std::to_string(heightTwips));
}
