// Compound entries: lines added one at a time to either side of the newest
// entry, and the balancing button that fills in the amount an entry lacks.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "mainwindow/entry_model.h"
#include "mainwindow/entry_outcome.h"

class CompoundEntryEditor {
  public:
    CompoundEntryEditor(Book& book, RunTimeState& run, EntryModel& model);

    // Lines are added only to the shown entry when it ends the journal and
    // is not read-only.
    bool canAddLine() const;

    // The add-line button of a side (CompoundEntry_Click): a blank line of
    // that side with the entry's date and reference is appended; the entry
    // keeps its debit lines before its credit lines and its note on its new
    // last line. A side holds at most 30 lines: a full side gets no line and
    // its button hides. The focus goes to the new row's amount box.
    EntryOutcome addLine(EntrySide side);

    // The balancing button (CalcCompound_Click). The entry's totals are
    // summed anew, then row 0 of one side takes the amount that makes the
    // debits equal the credits:
    // - one line a side: the credit line when the debit holds an amount, else
    //   the debit line when the credit holds one, else nothing;
    // - several credit lines: the first debit line;
    // - else (several debit lines): the first credit line.
    // When the other lines of that side already exceed the other side,
    // nothing is stored and the status line says so. Afterwards the totals
    // show and the focus is on that amount box.
    EntryOutcome balance();

  private:
    bool editable() const;

    Book& book_;
    RunTimeState& run_;
    EntryModel& model_;
};
