// Entry lines as clipboard text (EntryClipText): each journal line becomes a
// CR LF-terminated row of five TAB-separated fields (debit account, credit
// account, account name, amount, note), and "LW" follows the final line end.
// The main window's entry copy and paste, the entry-group editor and the
// tape calculator all write and read it through these two functions.
#pragma once

#include "book/book.h"
#include "book/currency.h"
#include "book/number_format.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The two forms of the text. The main window's (Journal) carries the note on
// the entry's last line only, a TAB in it written "~~" and read back as
// written. The entry-group editor's (Group) carries every line's note with
// its TABs removed, and reads "~~" back as ",". In both a line break inside a
// note is written as a blank, so that each journal line stays one text line.
enum class ClipForm { Journal, Group };

// The text of the journal lines first..last in the Journal form (the last
// closes the entry and carries its note, or "_"). Numbers are in the plain
// text form with `decimalMark`; TABs in names are dropped. A line on neither
// side is written as the credit it counts as (countedSide).
std::string EntryClipText(const Book& book, std::int32_t first, std::int32_t last,
                          const std::string& decimalMark);
// The same for lines first..last of any run of entry lines (an entry group's)
// in either form, the account names taken from the book.
std::string EntryClipText(const Book& book, const std::vector<EntryLine>& lines, std::int32_t first,
                          std::int32_t last, const std::string& decimalMark, ClipForm form);

// One line read back from the text.
struct ClipLine {
    std::uint8_t side = Credit; // Debit when the first field holds anything
    Currency account;
    Currency amount;
    std::string note; // line breaks as blanks; "~~" as the form reads it
    // False when the line has fewer than five fields, an account number
    // beyond the currency's range or an amount the locale does not read (an
    // empty account number or amount is 0). In the group form the account
    // field of the line's side must also be an account number as the copy
    // writes it ("abc" is refused, not read as 0), and blanks around the
    // account and amount fields are passed over.
    bool whole = true;
    friend bool operator==(const ClipLine&, const ClipLine&) = default;
};

// How a reader of the text reads a line's amount field.
using ClipAmountReader = std::function<Currency(const std::string& field)>;

// Reads the lines of an EntryClipText: nullopt unless the last element
// after the last line break is exactly "LW". Lines end with CR LF (a bare LF
// is taken too). Missing fields are empty; a number that cannot be read is 0
// and its line not whole. Amounts are read in the plain form unless
// `readAmount` reads them (once for each line, in order).
std::optional<std::vector<ClipLine>> readEntryClipText(const std::string& text,
                                                       const NumberMarks& marks,
                                                       ClipForm form = ClipForm::Journal,
                                                       const ClipAmountReader& readAmount = {});

// True when no entry of the lines holds more than MaxLinesPerSide lines on
// one side (EntrySideCount; an entry ends at a line with a note).
bool clipEntriesFit(const std::vector<ClipLine>& lines);

// Why a paste of these lines appends nothing, "" when it may: a line that is
// not whole is named (an amount the locale does not read is never taken as
// 0), else an entry with too many lines on one side. Every paste asks this.
std::string clipPasteRefusal(const std::vector<ClipLine>& lines);
