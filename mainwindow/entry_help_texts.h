// The help-mode texts of the entry line's fields and buttons (title and
// explanation shown in the help-mode window instead of acting).
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
