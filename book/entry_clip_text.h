// Entry lines as clipboard text (EntryClipText): one text line per journal
// line ended by CR LF, five TAB-separated fields (debit account, credit
// account, account name, amount, note), and the marker "LW" after the last
// line break. The main window's entry copy and paste, the entry-group editor
// and the tape calculator all write and read it through these two functions.
#pragma once

#include "book/book.h"
#include "book/currency.h"
#include "book/number_format.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The text of the journal lines first..last (the last closes the entry and
// carries its note, or "_"). Numbers are in the plain text form with
// `decimalMark`; TABs in names are dropped, TABs in the note written "~~"
// and its line breaks as blanks.
std::string EntryClipText(const Book& book, std::int32_t first, std::int32_t last,
                          const std::string& decimalMark);
// The same for lines first..last of any run of entry lines (an entry group's),
// the account names taken from the book.
std::string EntryClipText(const Book& book, const std::vector<EntryLine>& lines, std::int32_t first,
                          std::int32_t last, const std::string& decimalMark);

// One line read back from the text.
struct ClipLine {
    std::uint8_t side = Credit; // Debit when the first field holds anything
    Currency account;
    Currency amount;
    std::string note; // as written ("~~" stays), line breaks as blanks
    friend bool operator==(const ClipLine&, const ClipLine&) = default;
};

// How a reader of the text reads a line's amount field.
using ClipAmountReader = std::function<Currency(const std::string& field)>;

// Reads the lines of an EntryClipText: nullopt unless the last element
// after the last line break is exactly "LW". Lines end with CR LF (a bare LF
// is taken too). Missing fields are empty; a number that cannot be read is 0.
// Amounts are read in the plain form unless `readAmount` reads them.
std::optional<std::vector<ClipLine>> readEntryClipText(const std::string& text,
                                                       const NumberMarks& marks,
                                                       const ClipAmountReader& readAmount = {});

// True when no entry of the lines holds more than MaxLinesPerSide lines on
// one side (an entry ends at a line with a note); pastes check it first.
bool clipEntriesFit(const std::vector<ClipLine>& lines);
// The message shown when they do not.
std::string clipEntriesTooLongText();
