// Help texts (a title and an explanation) for the entry line's fields and
// buttons, shown in help mode in place of their action.
#pragma once

#include "mainwindow/menu_model.h"

enum class EntryField {
    Date,          // the date box
    Reference,     // the reference box
    AccountName,   // an account box
    Folio,         // a folio box
    Amount,        // an amount box
    Note,          // the note box
    AddLine,       // the add-line buttons
    Balancing,     // the balancing button
    EntryScroller, // the entry scroller at the window's right edge
    PanelScroller, // the scroller of the entry panel
};

HelpText entryFieldHelp(EntryField field);
