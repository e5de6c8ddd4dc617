// Edits made in the entry fields go into the journal at once, with no
// separate save step. Date and reference belong to the whole entry, so they
// are written to all of its lines; account and amount belong to one row's
// line; the note is kept on the entry's last line. A handler gets the
// control's current text, updates the book, raises BookChanged only when a
// stored value really differs, and tells the window what to display.
//
// An entry shown read-only (its first line below LockedBelow) takes no edit
// from any field. A row that shows no line takes none either.
#pragma once

#include "book/book.h"
#include "book/number_format.h"
#include "book/runtime_state.h"
#include "book/typed_input.h"
#include "mainwindow/entry_model.h"
#include "mainwindow/entry_outcome.h"

#include <cstdint>
#include <string>

class EntryEditor {
  public:
    EntryEditor(Book& book, RunTimeState& run, EntryModel& model);

    // --- date box ---
    // Leaving the box: the typed date (readDateBox, in the book's date style)
    // goes into every line of the entry; an unreadable one tells "Invalid
    // Date" (the outcome's message) and the entry takes today. Text left as
    // shown keeps the stored date.
    EntryOutcome commitDate(const std::string& dateText);
    // Up or Down in the box: the date is committed as on leaving the box,
    // then the previous or next entry is shown. Other keys: nothing.
    EntryOutcome dateKey(EntryKey key, const std::string& dateText);

    // --- reference box ---
    // The box's text after a key other than the arrow and page keys: upper
    // case into the box (referenceText; the window keeps its caret) and, as
    // a 14-character reference, into every line of the entry.
    EntryOutcome referenceEdited(const std::string& text);

    // --- account boxes ---
    // The name in the row's account box (focus loss): the account's number
    // into the row's line and its folio box. A name no account has changes
    // nothing: the box shows the line's account again, and the status line
    // says so in red (leaveAccountNameBox).
    EntryOutcome accountNameChosen(EntrySide side, int row, const std::string& name);
    // A name picked from the list: as above; on the debit side the status
    // line then reads text 162, a blank and the name.
    EntryOutcome accountNameClicked(EntrySide side, int row, const std::string& name);
    // A key released in an account box: black status on the debit side;
    // on the credit side red with text 163 and a blank.
    EntryOutcome accountNameKeyReleased(EntrySide side);

    // --- folio boxes ---
    // The folio box's text after a key other than the arrow and page keys:
    // the typed number ("-" for the decimal mark) into the row's line, and
    // the account's name (empty when none has it) into the name box.
    EntryOutcome folioTyped(EntrySide side, int row, const std::string& text);
    // Leaving the folio box: it shows the row's number as kept; a text that
    // is not that number whole is told in red (leaveNumberBox); else a
    // number no account has gives the status text "<typed> : " and text 291
    // in red. The journal is not changed.
    EntryOutcome folioLeft(EntrySide side, int row, const std::string& text);

    // --- amount boxes ---
    // Every change of the box's text (typed or pasted): an empty box stores
    // 0, an amount stores it, and the entry's totals show (SumEntry); text
    // that is not an amount stores nothing and says so in red. The box's own
    // text for the amount its line holds keeps that amount (checkAmountText).
    EntryOutcome amountChanged(EntrySide side, int row, const std::string& text);
    // Leaving the box: it shows the amount its line holds; a text that is not
    // that amount is told in red (leaveAmountBox).
    LeftBox amountLeft(EntrySide side, int row, const std::string& text) const;
    // The amount the line of a row holds (0 for a row showing none).
    Currency heldAmount(EntrySide side, int row) const;

    // --- note box ---
    // Every change: the text into the entry's last line ("_" when blank).
    EntryOutcome noteChanged(const std::string& text);

    // --- keys common to all entry fields (KeyMove) ---
    // Up and Down show the previous and the next entry (the first and the
    // last entry show themselves again); PageUp and PageDown give the
    // reference box the focus unless the entry is read-only. These four
    // keys go no further.
    EntryOutcome keyMove(EntryKey key);

    // The shown entry's totals in the status line (SumEntry).
    EntryOutcome sumEntry();

    // The line a row of a side edits (-1 when the row shows none).
    std::int32_t rowLine(EntrySide side, int row) const;

  private:
    bool editable() const;
    // A changed line shown anew: a step of `change`, which the caller commits.
    void changed(EntryOutcome& out, BookChange& change);
    // One stored field takes `value` as a change of its own, when it differs.
    template <class T>
    void setStored(EntryOutcome& out, std::int32_t line, T EntryLine::*field, T value);
    void moveTo(EntryOutcome& out, std::int32_t line);
    NumberMarks marks() const { return marksOf(model_.locale()); }
    const std::string& decimalMark() const { return model_.locale().decimalMark; }

    Book& book_;
    RunTimeState& run_;
    EntryModel& model_;
};
