// Main-window commands that act on the journal rather than on one field:
// adding an entry, deleting the one on screen, toggling its reconciled mark,
// and checking that the whole journal balances.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "mainwindow/entry_model.h"
#include "mainwindow/entry_outcome.h"

#include <functional>
#include <string>

class EntryCommands {
  public:
    EntryCommands(Book& book, RunTimeState& run, EntryModel& model);

    // New Entry: a debit line (empty note) and a credit line (note "_") at
    // the end of the journal, dated by the date box's text in the book's
    // date style (readDateBox): the shown entry's own day while the box shows
    // it, today when the box is blank, today and "Invalid Date" when it holds
    // no date. With AutoIncrement on both lines take the next
    // reference. A journal whose last line was left without a note gets "_"
    // there first, so the new lines never join the entry before them. The
    // new entry is shown with both add-line buttons and the balance check.
    EntryOutcome newEntry(const std::string& dateBoxText);

    // Answers the administrator password: true when the typed password
    // matches. Asked only while an administrator password is set.
    using AdminGate = std::function<bool()>;

    // Delete Entry: asks text 122 ("Are you sure ?") with Yes and No unless
    // `askFirst` is false (a menu that confirms by itself), then passes the
    // administrator gate; a No or a failed gate changes nothing and says
    // nothing. The shown entry's lines go at once, JournalRevision
    // rises, and the entry that followed (the new last one when the deleted
    // entry was last) is shown. The last entry gone, the journal starts
    // afresh as in a new book.
    EntryOutcome deleteEntry(const AdminGate& adminGate, bool askFirst = true);

    // The reconciled mark: every line of the shown entry gets Reconciled 1
    // (on) or 0 (off). A click on the tick turns it off, on the empty box on.
    EntryOutcome setReconciled(bool on);
    EntryOutcome toggleReconciled();

    // The balance check (iSBalance): texts 275, 276 or 277 in the status line
    // and the focus to the reference box unless the entry is read-only.
    EntryOutcome iSBalance();

  private:
    Book& book_;
    RunTimeState& run_;
    EntryModel& model_;
};
