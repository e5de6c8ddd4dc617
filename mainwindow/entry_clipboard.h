// Entry lines on the clipboard as plain text (EntryClipText; the format is
// described in book/entry_clip_text.h). "Copy Entry" writes the shown entry;
// "Paste Entry" appends the entries of such a text to the journal, dated today.
#pragma once

#include "book/book.h"
#include "book/entry_clip_text.h"
#include "book/number_format.h"
#include "book/runtime_state.h"
#include "mainwindow/entry_model.h"
#include "mainwindow/entry_outcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class EntryClipboard {
  public:
    EntryClipboard(Book& book, RunTimeState& run, EntryModel& model);

    // Copy Entry: the shown entry's text onto the clipboard.
    void copyEntry();
    // Paste Entry: the clipboard's text appended (pasteText).
    EntryOutcome pasteEntries();
    // Appends the entries of a text ending in the marker, each line dated
    // today; a text without the marker changes nothing. An entry ends at a
    // line with a note; an unclosed last entry is closed with "_". With
    // AutoIncrement on each entry takes the next reference. An entry with
    // more than 30 lines on a side refuses the whole text with a message.
    // The first pasted entry is shown.
    EntryOutcome pasteText(const std::string& text);

  private:
    Book& book_;
    RunTimeState& run_;
    EntryModel& model_;
};
