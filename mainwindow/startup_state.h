// What the main window computes when the program starts: the new book and its
// settings, the toolbar's backdrop colours, the date style and number marks
// of the locale, the currency labels, the caption, the stored window size and
// the book named on the command line.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "platform/drawing_surface.h"
#include "platform/locale.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// The caption's fixed beginning; the open book's path follows it.
extern const char* const MainCaptionPrefix;
// The caption with the book's path and four blanks ("" path: the prefix alone).
std::string mainCaption(const std::string& bookPath);

// The toolbar strip's 36 rows of backdrop colour (RgbColor values) from the
// window's own back colour: entry i (1..36) is each component less i/2,
// rounded half to even and kept in 0..255. Entry 0 stays 0.
constexpr int ToolbarRows = 36;
std::array<std::int32_t, 37> toolbarGradient(int red, int green, int blue);

// The font character set for the user's language, read as a number from
// text 330; 0 when that text is empty or not a number.
std::int16_t fontCharsetFromText(const std::string& text330);

// Formats day 1 (31 December 1899) as the locale's short date. Over ten
// characters long: style 6 (month first) when the locale writes the month
// first, else style 2 (day first; also where the year comes first).
// Otherwise 0 (the system's short date).
std::int16_t dateStyleForLocale(const LocaleInfo& locale);

// The locale's decimal and digit-group marks, as the entry line reads them.
struct StartupMarks {
    std::string decimal;
    std::string thousands;
};
StartupMarks numberMarksFor(const LocaleInfo& locale);

// The currency label beside the amounts and in the payroll captions: the
// locale's whole currency symbol followed by " :" (" :" where it has none).
std::string currencyLabelOf(const LocaleInfo& locale);

// The opening-balance account's name: text 155 followed by " b/f".
std::string balanceAccountName();

// A name that is there, even one a reader will refuse (a link loop): only a
// name that leads nowhere is "not found".
bool nameIsThere(const std::filesystem::path& path);

// The book path named by the whole command line: the line as given (a name
// may hold blanks and double quotes), so that a name not found is told as it
// was typed; only where no such name is there and the line is wrapped in
// double quotes, as a launcher may pass a name, do they come off. "" when
// nothing names a book.
std::string commandLineBookPath(const std::string& wholeCommandLine);

// The new book of start-up in `book` and the run-time values start-up sets in
// `run`: groups, new-book decimals, the empty journal, AutoIncrement 1, the
// date style and the account table of 14 slots from the locale, the marks.
void applyStartupBook(Book& book, RunTimeState& run, const LocaleInfo& locale, double today,
                      std::int16_t fontCharset);

// The main window's size kept in the per-user settings store ("LW",
// "Settings", "Width" and "Height", twips as the text of a number).
struct StoredSize {
    std::optional<int> width;
    std::optional<int> height;
};
StoredSize readStoredWindowSize();
void storeWindowSize(int widthTwips, int heightTwips);
