// Type-ahead for the account boxes: each typed character completes the box's
// text to the first account name that begins with what was typed, and the
// completion shows selected. Qt's own completer is switched off so that this
// alone completes.
#pragma once

#include <QObject>

#include <functional>

class QComboBox;

namespace Tmain {
// Runs the type-ahead for a typed key. `keyAscii` is the character code
// (8 Backspace and 13 Enter pass untouched); it is set to 0 for every other
// key, which then never reaches the box itself.
void ComboTypeAhead(QComboBox* box, int& keyAscii, const QString& typed);
} // namespace Tmain

// Installs the type-ahead on an editable combo box: completer off, no
// insertion of typed texts into the shared list, key presses routed to
// Tmain::ComboTypeAhead (also while its list is dropped down; there Tab
// leaves the box, and Backspace and Delete edit its text). Given
// `active`, a key goes to the type-ahead only while it holds; otherwise the
// box takes the key itself.
void installComboTypeAhead(QComboBox* box, std::function<bool()> active = {});
