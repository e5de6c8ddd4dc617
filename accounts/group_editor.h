// The entry-group editor's work on the group's working copy RecurringLines:
// which line is current and which entry holds it, the fields written as they
// are edited, and the commands new entry, add line, delete entry, copy and
// paste. Every change marks the book changed; the group itself
// (EntryGroups(EditedGroup)) takes the lines only at writeBack().
#pragma once

#include "book/book.h"
#include "book/number_format.h"
#include "book/runtime_state.h"
#include "book/typed_input.h"

#include <cstdint>
#include <optional>
#include <string>

class GroupEditor {
  public:
    GroupEditor(Book& book, RunTimeState& run);

    // Opening: the grid at line 0, line 0 current with its entry's bounds.
    // A group without lines gets a blank debit and credit pair.
    void open();

    std::int32_t TopLine() const { return top_; }
    std::int32_t LastLine() const { return last_; }
    std::int32_t CurrentLine() const { return current_; }
    std::int32_t EntryFirstLine() const { return first_; }
    std::int32_t EntryLastLine() const { return entryLast_; }
    const std::vector<EntryLine>& lines() const { return book_.RecurringLines; }

    // The grid's top line (the scroll bar's value), kept within 0..LastLine.
    void setTopLine(std::int32_t line);
    // A row's line took the focus: it becomes current (at most LastLine) and
    // the entry holding it is found.
    void focusLine(std::int32_t line);
    // Whether a line of `side` may be added to the current entry: fewer than
    // 30 of its lines count on that side (EntrySideCount, as the text forms
    // count them).
    bool canAddLine(std::uint8_t side) const;

    // --- the fields of a line (the line a row shows) ---
    // A typed account number ("-" and the locale's mark are decimal marks;
    // nothing readable gives 0; beyond the range keeps the line's number);
    // returns the name of the line's account ("" when none).
    std::string setFolio(std::int32_t line, const std::string& text,
                         const std::string& decimalMark);
    // Leaving a line's number box: what it then shows (the line's number)
    // and what to tell when the text was not taken whole (leaveNumberBox).
    LeftBox leaveFolio(std::int32_t line, const std::string& text,
                       const std::string& decimalMark) const;
    // An account chosen by name: its number becomes the line's and the folio
    // text is returned; a name of no account changes nothing.
    std::optional<std::string> setAccountName(std::int32_t line, const std::string& name,
                                              const std::string& decimalMark);
    void setAmount(std::int32_t line, Currency amount);
    // The amount a line holds (0 for a line not in the group): what its box
    // shows, and keeps while its own text stands (checkAmountText).
    Currency heldAmount(std::int32_t line) const;
    // The note of the entry that `line` closes; blank is stored as "_".
    void setNote(std::int32_t line, const std::string& text);
    // The group's name, trimmed (GroupNames(EditedGroup)).
    void setName(const std::string& text);

    // --- commands ---
    // Adds a new entry made of one debit and one credit line (note "_"); it
    // becomes current and is scrolled to the grid's first row.
    void newEntry();
    // Inserts a blank line of `side` before the current line, within the
    // current entry. Refused when that side already holds 30 lines. Returns
    // whether another line of the current line's side may still be added.
    bool addLine(std::uint8_t side);
    // Deletes the current entry unless fewer than two lines would remain
    // (then false and nothing changes). The entry that followed, or else the
    // group's last entry, becomes current and stands at the top of the grid.
    bool deleteEntry();
    // The current entry as entry-lines text in the group form: every line's
    // note without its TABs (the locale's decimal mark).
    std::string copyText(const std::string& decimalMark) const;
    // Appends the lines of an entry-lines text in the group form ("." or the
    // locale's mark in account numbers, "~~" in a note read as ","); a text
    // without the marker or without lines changes nothing. A line of fewer
    // than five fields, with an account number or amount that cannot be read
    // (blanks around them are passed over), or an entry of more than 30 lines
    // a side, refuses the whole text with one message. The last pasted line closes its entry ("_"
    // when it has no note). The pasted lines become the current entry at the grid's top.
    bool paste(const std::string& text, const NumberMarks& marks);

    // The group takes the working lines (EditedGroup 0..9); when they differ
    // from the stored ones the book is marked changed.
    void writeBack();

  private:
    void changed() { markBookChanged(run_); }
    bool valid(std::int32_t line) const { return line >= 0 && line <= last_; }
    // The working lines replaced by `lines` as one change.
    void adopt(std::vector<EntryLine> lines);
    void sync() { last_ = static_cast<std::int32_t>(book_.RecurringLines.size()) - 1; }

    Book& book_;
    RunTimeState& run_;
    std::int32_t top_ = 0;
    std::int32_t last_ = -1;
    std::int32_t current_ = 0;
    std::int32_t first_ = 0;
    std::int32_t entryLast_ = 1;
};
