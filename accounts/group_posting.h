// Posting an entry group: its lines appended to the journal dated today, each
// entry under its own next reference.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"

#include <cstdint>
#include <optional>
#include <string>

// The group's lines become the working copy RecurringLines (a full copy of
// EntryGroups(group)); a group outside 0..9 leaves it as it is.
void takeGroup(Book& book, int group);

// Appends every line of RecurringLines to the journal in its order, unchanged
// but for the date (the whole day `today`) and the reconciled mark (0). A
// journal whose last entry was left open is closed with "_" first, so the
// group never joins it. The reference is asked once, after the first posted
// line is in place (so the journal's last line counts); with AutoIncrement 1
// each entry takes it in turn, the next entry the reference after it (as
// every command numbers entries, in the locale's decimal mark); with 0 the
// references stay blank. CurrentFirstLine goes to the last posted line and
// the book is marked changed. Returns the last posted line. With AutoIncrement
// 1 and a reference that would pass the 14 characters a reference holds,
// nothing is posted: a message says why and nullopt is returned.
std::optional<std::int32_t> postEntryGroup(Book& book, RunTimeState& run, double today);

// Where the group drop-down stands, in twips: its right edge 100 twips right
// of the Include button's right edge and its bottom 120 twips above the
// button's top, the list opening upwards.
struct IncludeButtonPlace {
    int mainLeft = 0;    // the main window's outer left edge (screen)
    int mainTop = 0;     // its outer top edge (screen)
    int frameHeight = 0; // outer height less inner height: frame, title and menu bar
    int buttonLeft = 0;  // the button within the main window's inner area
    int buttonTop = 0;
    int buttonWidth = 0;
};
struct DropPlace {
    int left = 0;
    int top = 0;
    bool operator==(const DropPlace&) const = default;
};
DropPlace dropDownPlace(const IncludeButtonPlace& button, int dropWidth, int dropHeight);
