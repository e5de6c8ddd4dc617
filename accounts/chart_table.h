// The account table's own operations: an account inserted after a slot, a
// slot deleted, the check a chart must pass before the editor closes, and the
// list of names the entry line's account boxes show. Each works on the six
// parallel arrays together.
#pragma once

#include "book/book.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The class an account is shown, copied and printed with: its own, or Other
// (8) for a value outside 0..8 that a damaged book may hold in memory.
inline int shownClass(int accountType) {
    return accountType >= CurrentAsset && accountType <= Other ? accountType : Other;
}

// Shown when an insert would pass the table's limit.
inline constexpr const char* AccountLimitMessage = "Account Limit has be reached...";

struct InsertOutcome {
    bool inserted = false;
    int newSlot = -1;       // the new account's slot
    bool afterLast = false; // the selected account was the table's last slot
};

// Inserts an empty account after `selectedSlot`, numbered the selected
// account's number plus 2 and of its class. Refused (nothing changes) while
// LastAccount is above MaxAccountIndex; the caller tells the user.
InsertOutcome insertAccountAfter(Book& book, int selectedSlot);

// Deletes the account in `selectedSlot`; the slots after it move up one and
// the old last slot becomes an empty row. The table keeps at least 14 slots.
// A slot past LastAccount (an empty row below the table's end) deletes
// nothing: false.
bool deleteAccountAt(Book& book, int selectedSlot);

// The first fault of a chart, as the check on close reports it.
struct ChartFault {
    std::string message;
    std::string title; // "" for the two missing-field faults
    bool critical = false;
    int slot = -1; // the account drawn in red
};

// Checks the chart in the order the editor closes it: a name without a
// number or a number without a name (over 0..max(LastAccount, 13)), then two
// accounts with the same number, then two with the same name (over
// 0..LastAccount). Numbers in the messages use `decimalMark`. Reads only.
// One pass per check: a chart of 32,000 accounts is checked at once.
std::optional<ChartFault> findChartFault(const Book& book, const std::string& decimalMark);

// The names the entry line's account boxes list: every slot 0..`lastSlot`
// whose name holds more than spaces, as stored, in table order.
std::vector<std::string> accountBoxList(const Book& book, int lastSlot);

// The widest number the grid's number boxes show for the table (as
// `folioText` writes it), by `width`: the box's font measuring each. The box
// is made wide enough for it.
std::string widestNumberText(const Book& book, const std::string& decimalMark,
                             const std::function<double(const std::string&)>& width);

// The check on close: the fault found (nothing else changes but LastAccount,
// raised to 13 when below), or the table accepted: the entry line's account
// list (EntryAccountList) is rebuilt from it.
std::optional<ChartFault> closeChart(Book& book, const std::string& decimalMark);
