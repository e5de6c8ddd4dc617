// Finding an entry from the main window: the go-to box beside the entry line
// (type a reference, press Enter) and Tools > Balance Point (the line where
// the journal goes out of balance). Both end by showing a journal line
// through the entry scroller; the window sets its Value to the line given.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"

#include <cstdint>
#include <optional>
#include <string>

// --- the go-to box ---

// Getting the focus selects the whole text: the selection's length in
// characters (it starts at 0).
int gotoBoxSelectionOnFocus(const std::string& text);

// After a key is released the text is in capitals, as a reference is
// (upperCaseReference; each character keeps its place, so the caret stays put).
std::string gotoBoxTextAfterKey(const std::string& text);

// A key going down: Up shows the entry before the one shown (the line before
// CurrentFirstLine), Down the one after it (the line after CurrentLastLine);
// for those two `keyCode` becomes 0 (the key is swallowed). Other keys give
// nothing and stay.
std::optional<std::int32_t> gotoBoxKeyDown(int& keyCode, const RunTimeState& run);

// The first journal line whose 14-character reference equals the typed text
// followed by spaces to 14 characters (cut at 14), exactly: case, blanks and
// all. An empty text never matches.
std::optional<std::int32_t> findEntryReference(const Book& book, const std::string& typed);

// What Enter in the go-to box does.
struct GotoResult {
    std::optional<std::int32_t> line; // the line to show (the entry's first line)
    std::string status;               // the status line's text when nothing was found
};
// Found: CurrentFirstLine becomes that line and the result names it. Not
// found: text 286 with each "?" replaced by the text as typed, and nothing
// changes. Keys other than Enter (13) do nothing.
GotoResult gotoBoxKeyPress(int keyAscii, const std::string& typed, const Book& book,
                           RunTimeState& run);
std::string referenceNotFoundText(const std::string& typed);

// --- Tools > Balance Point ---

// The largest line i whose preceding lines 0..i-1 hold equal debit and
// credit totals (lines of neither side count nowhere): the first line after
// which the journal stays out of balance, or the last entry's first line
// when everything balances. 0 for an empty journal.
std::int32_t balancePointLine(const Book& book);
