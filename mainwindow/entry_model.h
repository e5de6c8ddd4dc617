// The entry shown in the main window's entry line: which journal lines make
// it up, which line each debit and credit row shows, and the texts of its
// head (position, reference, date, note, reconciled tick, lock). The window
// only mirrors what this model holds; every handler that edits a row asks the
// model for the row's journal line.
#pragma once

#include "book/book.h"
#include "book/book_change.h"
#include "book/entry_index.h"
#include "book/number_format.h"
#include "book/runtime_state.h"
#include "platform/locale.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int EntryRowsPerSide = 31; // rows 0..30 of each side of the entry line

// A row of the entry line as shown.
struct EntryRow {
    std::int32_t line = -1; // the journal line this row shows and edits
    std::string folio;      // account number in plain form ("" for 0)
    std::string name;       // account name ("" when no account has the number)
    std::string amount;     // amount in plain form with its sign ("" for 0): amountBoxText
};

class EntryModel {
  public:
    EntryModel(Book& book, RunTimeState& run, LocaleInfo locale);

    // The locale used for dates and the decimal mark of the texts ("." for a
    // locale that gives no mark).
    void setLocale(const LocaleInfo& locale);
    const LocaleInfo& locale() const { return locale_; }

    // Shows the entry that holds `line` (what a set of the entry scroller's
    // Value does): the line is clamped to 0..LastEntryLine, the bounds found,
    // CurrentFirstLine, CurrentLastLine, RowBase and LockedBelow set, the rows
    // filled and a Reconciled byte above 1 on the first line reset to 0.
    void showEntryHolding(std::int32_t line);
    // The same as a step of a command's change: undone with it.
    void showEntryHolding(std::int32_t line, BookChange& change);
    // Refills the rows and texts of the entry already shown (after its lines
    // changed), keeping its bounds (clamped to the journal).
    void refresh();
    void refresh(BookChange& change);

    // The line a scroller step goes to: before the shown entry, after it.
    std::int32_t previousEntryLine() const { return run_.CurrentFirstLine - 1; }
    std::int32_t nextEntryLine() const { return run_.CurrentLastLine + 1; }

    EntryBounds bounds() const { return {run_.CurrentFirstLine, run_.CurrentLastLine}; }
    bool journalEmpty() const { return book_.EntryLines.empty(); }

    // Rows shown (at most EntryRowsPerSide each), in journal order.
    const std::vector<EntryRow>& debitRows() const { return rows_.debit; }
    const std::vector<EntryRow>& creditRows() const { return rows_.credit; }
    // The journal line a row shows, or -1 for a row not in use.
    std::int32_t debitRowLine(int row) const;
    std::int32_t creditRowLine(int row) const;
    // Lines of the entry on a side that the rows cannot show (beyond 31).
    int hiddenDebitLines() const { return rows_.hiddenDebit; }
    int hiddenCreditLines() const { return rows_.hiddenCredit; }

    // Head of the entry.
    std::string positionText() const; // text 183 and the pair numbers ("Entry 4 - 5")
    std::string reference() const;    // trimmed EntryIds of the first line
    std::string dateText() const;     // date of the first line in the book's date style
    std::string noteText() const;     // trimmed note of the last line; "_" shows empty
    bool reconciled() const;          // the first line's Reconciled byte is 1
    bool locked() const;              // the entry's first line lies below LockedBelow
    // Status-line text of the display itself ("" when nothing to say): an
    // entry with more lines on a side than the rows can show says so.
    std::string statusText() const;

  private:
    struct Rows {
        std::vector<EntryRow> debit;
        std::vector<EntryRow> credit;
        int hiddenDebit = 0;
        int hiddenCredit = 0;
    };
    // Shows the lines `b`: the rows are made first, then put in place with
    // the bounds (through `change` when there is one), so that a failure
    // leaves the entry shown before.
    void show(EntryBounds b, BookChange* change);
    Rows rowsOf(EntryBounds b) const;
    EntryRow rowFor(std::int32_t line) const;
    EntryBounds clampedBounds() const;

    Book& book_;
    RunTimeState& run_;
    LocaleInfo locale_;
    Rows rows_;
};

// LastEntryLine - 30 while an administrator password is set, else 0.
std::int32_t lockedBelowFor(const Book& book);

// The names the entry line's account boxes list: the book's stored list of
// the boxes when it has one, else every named slot of the account table in
// table order.
std::vector<std::string> accountBoxNames(const Book& book);
