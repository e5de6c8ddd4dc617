// What the chart-of-accounts editor shows and does, without its window: a
// grid of 14 rows over the account table, the selected row and slot, the
// slot a refused close flagged, typing into names, numbers and notes, the
// class and dash settings, the arrow and Enter keys, insert, delete, the
// standard chart and the check on close. Every change to the chart marks
// the book changed. Rows are read and written only inside the table: a row
// past the arrays' end shows empty and takes nothing.
#pragma once

#include "accounts/chart_table.h"
#include "book/book.h"
#include "book/runtime_state.h"
#include "book/typed_input.h"
#include "toolkit/key_codes.h"

#include <optional>
#include <string>

inline constexpr int ChartRows = 14;

struct ChartRowView {
    std::string name;
    std::string number; // as the number box shows it (dash setting applied)
    bool flagged = false;
};

// Where the focus goes after a key: a row of the same column (-1 for none),
// the caret placed at `caret` (-1 leaves it), and whether the grid scrolled.
struct ChartKeyMove {
    int focusRow = -1;
    int caret = -1;
    bool scrolled = false;
    bool swallow = false; // the key is not passed to the box
};

class ChartEditor {
  public:
    ChartEditor(Book& book, RunTimeState& run);
    const Book& book() const { return book_; }

    // --- the grid ---
    int top() const { return top_; } // first slot shown (the scroll bar's value)
    int scrollMax() const;
    // Scrolls; the selection stays in its screen row and follows the slot now there.
    void setTop(int top);
    std::string frameCaption() const; // "Accounts 1 To 14 :"
    ChartRowView row(int k) const;
    int selectedRow() const { return selectedRow_; }
    int selectedSlot() const { return top_ + selectedRow_; }
    int flaggedSlot() const { return flagged_; }
    void select(int k);

    // --- the selected account's details ---
    std::string note() const;
    std::string note2() const;
    int selectedClass() const;

    // --- typing (each stores and marks the book changed) ---
    void typeName(int k, const std::string& text);
    // Read by the one account-number reader; a number out of range stores nothing.
    void typeNumber(int k, const std::string& text);
    // Leaving row k's number box with `text`, which reaches the book only
    // now: a text that is an account number whole is stored (typeNumber);
    // any other stores nothing and is told (leaveNumberBox). The box shows
    // the row's number as kept, as the other rows show theirs.
    LeftBox leaveNumber(int k, const std::string& text);
    void typeNote(const std::string& text);
    void typeNote2(const std::string& text);
    void setClass(int type);
    void setSubAccountDash(bool on);

    // --- keys in a name or number box of row k ---
    ChartKeyMove keyDown(int k, int key);
    // Acts on the arrow key held since keyDown; `caret` is the box's caret.
    ChartKeyMove keyUp(int k, int caret);

    // --- commands ---
    // Refused past the table's limit with its message (false).
    bool insert();
    bool remove();
    void standardChart();
    // The check on close: on a fault its message is shown, the slot flagged
    // and the fault returned; else the entry line's account list is rebuilt.
    std::optional<ChartFault> checkOnClose();

    // The book's table was replaced under the editor: the grid is held inside it.
    void tableReplaced();

  private:
    bool inTable(int slot) const;
    int slotOfRow(int k) const { return top_ + k; }
    void changed() { markBookChanged(run_); }

    Book& book_;
    RunTimeState& run_;
    int top_ = 0;
    int selectedRow_ = 0;
    int flagged_ = -1;
    int heldKey_ = 0;
};
