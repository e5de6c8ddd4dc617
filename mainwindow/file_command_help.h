// What help mode shows for the file commands, the roll-overs, the invoice
// and the go-to box: the item's title and its explanation.
#pragma once

#include "mainwindow/menu_model.h"

// The help of Open, Save, Save As, Insert Entries, Balance Brought /
// Forward, Carried Over Accounts and Print Invoice; an empty title and text
// for any other command.
HelpText fileCommandHelp(Command c);

// The go-to box's help, shown when it is clicked in help mode.
HelpText gotoBoxHelp();
