// Helpers used across all windows: finding accounts, numbering the next
// entry, truncation, dates in the book's style, progress steps, file names
// and file-error messages.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "platform/locale.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace Tmain {

// --- account lookups: scan slots 0..LastAccount upwards, first match wins ---

// Name of the first slot whose number equals `number` (not 0: an empty row
// is no account; a negative number names its account like any other); ""
// when none.
std::string AccountNameByNumber(const Book& book, Currency number);
// Number of the first slot whose name equals `name` exactly; 0 for "" or none.
Currency AccountNumberByName(const Book& book, const std::string& name);
// Slot of the first account numbered `number` (not 0), or nullopt.
std::optional<int> AccountSlotByNumber(const Book& book, Currency number);
// The same as text: the slot's index as digits, "0" when none (callers that
// must tell slot 0 from "not found" use AccountSlotByNumber).
std::string AccountIndexByNumber(const Book& book, Currency number);
// The widest of `texts` by the given measure, as the font that draws them
// measures (first of equal widths; "" when none is wider than nothing).
std::string WidestText(const std::vector<std::string>& texts,
                       const std::function<double(const std::string&)>& width);
// The widest account name by the given measure.
std::string LongestAccountName(const Book& book,
                               const std::function<double(const std::string&)>& width);

// --- references and numbers ---

// Locale-free value of a text's leading number: blanks, tabs and
// line feeds skipped anywhere, optional sign, digits with one ".", optional
// exponent E/D, &H hexadecimal and &O octal; 0 when there is none.
double LeadingNumberValue(const std::string& text);
// The next entry reference, from the journal as it stands (before a command
// appends anything): the newest reference that starts with a number, plus 1
// (referenceAfter, read and written with the locale's decimal mark); "1" when
// no reference does. Every command that numbers entries asks it so.
std::string NextEntryId(const Book& book, const std::string& decimalMark);

// --- dates in the book's style ---

// Day number of a calendar date, and back (whole days; proleptic Gregorian).
double DayNumber(int year, int month, int day);
void CalendarDate(double dayNumber, int& year, int& month, int& day);
bool IsValidDate(int year, int month, int day);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// Day of the week of a day number: 1 = Sunday ... 7 = Saturday.
int Weekday(double dayNumber);

enum class YearDigits { AsStyle, Four };

// The date written in `dateStyle` (0 = the locale's short date; 1..8 the fixed
// styles with "/" as the locale's date separator); "" for any other style.
// Files ask for YearDigits::Four: a two-digit year would be read back in the
// wrong century once it leaves the window of FullYear.
std::string FormatDateStyle(double date, int dateStyle, const LocaleInfo& locale,
                            YearDigits yearDigits = YearDigits::AsStyle);
// The pattern `dateStyle` writes dates in ("dd/MM/yy"); style 0, and a
// style the program does not know, the locale's short-date pattern.
std::string DateStylePattern(int dateStyle, const LocaleInfo& locale);
// The mark `dateStyle` writes between a date's first two fields ("." in
// "31.12.24", "-" in "31-12-2024").
std::string DateStyleSeparator(int dateStyle, const LocaleInfo& locale);
// Reads a date in `dateStyle` (style 0: the locale's short-date pattern): day,
// month and year in the style's order; between two fields the pattern's own
// text there, "/" or "-", blanks around it; before the first and after the
// last only blanks and the pattern's own text ("." in "yy. M. d."). A month
// the pattern names is read by its long or short name (any case) or as a
// number; a two-digit year by FullYear. Every text FormatDateStyle writes
// reads back to its day. Unreadable: nullopt.
std::optional<double> ParseDateStyle(const std::string& text, int dateStyle,
                                     const LocaleInfo& locale);
// Whether `text` is the month name `name` in any case, letters compared as
// ParseDateStyle compares them (through the case table).
bool SpellsMonthName(const std::string& text, const std::string& name);
// ParseDateStyle with the style's pattern worked out once, for many dates.
class DateStyleReader {
  public:
    DateStyleReader(int dateStyle, const LocaleInfo& locale);
    std::optional<double> read(const std::string& text) const;

  private:
    LocaleInfo locale_;
    std::vector<char> fields_;      // 'd', 'M', 'y' in the pattern's order
    std::vector<std::string> gaps_; // the text before, between and after them
    bool monthByName_ = false;
};
// The year a two-digit year stands for: the one with those last two digits
// from 80 years before to 19 years after the current year.
int FullYear(int twoDigitYear);

// --- progress, files, errors ---

// One progress step: ProgressValue += 29, the bar and "N%" (capped at 100%)
// shown through the platform's progress sink, pending events run.
void StepProgress(RunTimeState& run);
// Starts a progress run (ProgressValue = 0) with the activity word shown.
void BeginProgress(RunTimeState& run, const std::string& activity);
void EndProgress(RunTimeState& run);

// The name without its extension: cut before the last "." of the last path
// component; unchanged when that component has none.
std::string StripExtension(const std::string& name);

// The file-error numbers the messages are keyed by. A permission refused
// (EACCES, EPERM) is told as fileErrorFor tells it, never as a file in use
// (EBUSY, ETXTBSY).
int FileErrorNumber(const std::error_code& ec);
// The text shown for an error number (texts 309 to 315, a refusal's own text,
// a file or path not found, else the generic one).
std::string FileErrorText(int number);
// The text for an error: a file refused before reading (safe_file.h) says
// why; any other error the text of its number.
std::string FileErrorText(const std::error_code& ec);
// Shows that text in a message box with an OK button.
void FileErrorMessage(int number);
void FileErrorMessage(const std::error_code& ec);
// An error of a file the user did not name (one of the several files a
// command writes, a draft): the file named, and what it is when it is no file
// ("/a/b.ENT is a folder, not a file."), else the text for the error.
std::string FileFaultText(const std::filesystem::path& file, const std::error_code& ec);
// Said of a file a command failed to write: " (the file of that name stays
// as it was)" where there is one, else "" (nothing stays of what never was).
std::string UnchangedFileNote(const std::filesystem::path& file);
// The one wording of every file command that could not write `file` (a
// save, an export, the journal spreadsheet): the file named, whether its
// older namesake stays, and why.
std::string WriteFailureText(const std::filesystem::path& file, const std::error_code& ec);
// The same, for a failure told in words of its own (`why`).
std::string WriteFailureText(const std::filesystem::path& file, const std::string& why);
// The one wording of every open and insert that could not read `file`.
std::string ReadFailureText(const std::filesystem::path& file, const std::error_code& ec);
// A reader's own message about `file`, with the file named when it is not yet.
std::string NamingFile(const std::filesystem::path& file, const std::string& message);

} // namespace Tmain
