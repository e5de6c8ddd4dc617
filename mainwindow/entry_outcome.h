// What the main window must show after a change the entry line made to the
// journal. The editing classes change the book and the shown entry's bounds
// themselves; the window only applies the outcome to its controls, in this
// order: the entry to show (showLine), the box texts, the status line, the
// buttons, the focus, the message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

enum class StatusColour { Black, Red };

// The status line GL(7): a new text and a new colour; nullopt keeps the
// text or the colour as it is.
struct StatusUpdate {
    std::optional<std::string> text;
    std::optional<StatusColour> colour;
};

enum class EntrySide { Debit, Credit };

enum class FocusTarget { None, JournalID, DebitAmount, CreditAmount };

// The keys the entry fields hand to the shared key routine.
enum class EntryKey { Up, Down, PageUp, PageDown, Other };

struct EntryOutcome {
    // The journal was changed (BookChanged is set already).
    bool changed = false;
    // The entry scroller's range becomes 0..LastEntryLine and its Value this
    // line: the window shows the entry holding it (the model shows it already).
    std::optional<std::int32_t> showLine;
    // The shown entry's lines changed in place: the rows are laid out anew.
    bool rearrange = false;

    // New texts for the boxes of the entry line: the row's boxes are those of
    // the edited row; after balancing, amountText is for the focus row.
    std::optional<std::string> dateText;
    std::optional<std::string> referenceText;
    std::optional<std::string> folioText;
    std::optional<std::string> nameText;
    std::optional<std::string> amountText;
    std::optional<std::string> noteText;

    std::optional<StatusUpdate> status;
    std::optional<bool> balancingButton; // show or hide CalcCompound
    bool showAddLineButtons = false;     // both add-line buttons (after New Entry)
    bool hideDebitAddLine = false;       // a side holds its 30 lines
    bool hideCreditAddLine = false;
    std::optional<bool> reconciledTick; // the tick over the reconciled box

    // A message box, shown last: once the boxes show what is kept, so that
    // leaving a box as the message takes the focus tells nothing again.
    std::optional<std::string> message;
    // The message becomes `text` when there is something to tell: a reading
    // that found no fault leaves none.
    void tell(const std::string& text) {
        if (!text.empty()) message = text;
    }

    FocusTarget focus = FocusTarget::None;
    int focusRow = 0;
    // The key was one of the entry line's own keys: the control ignores it.
    bool swallowKey = false;
};
