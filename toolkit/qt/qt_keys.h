// Qt's keys and mouse buttons as the codes the program's own controls pass to
// their hosts (toolkit/key_codes.h). Every translation lives here.
#pragma once

#include "toolkit/key_codes.h"

#include <QKeyEvent>

#include <memory>

namespace qt_keys {

// The key code of a key-down or key-up event; 0 for a key without one
// ("&", a letter outside ASCII).
int keyCode(const QKeyEvent* event);
// Whether a key-down or key-up handler given `args` for `event` swallowed the
// key: it set the key's own code to 0. A key without a code of its own is
// never swallowed so; its character goes on to the key press and its filter.
bool swallowedByHandler(const QKeyEvent* event, const KeyArgs& args);
// Select all and copy: editing keys that type nothing, whatever a box's
// character filter allows.
bool editingKey(const QKeyEvent* event);
// The shift state bits (1 Shift, 2 Ctrl, 4 Alt).
int shiftState(Qt::KeyboardModifiers modifiers);
// The character code of a key press: the character typed, Ctrl+letter as
// 1 to 26 (Ctrl+V 22), Backspace 8, Enter 13, Esc 27; 0 when the key types
// nothing (an editing key among them).
int keyAscii(const QKeyEvent* event);
// A key pressed with Alt (and without Ctrl, which with Alt may be the AltGr
// of a keyboard) that would type a character: it is the menus' key.
bool typedWithAlt(const QKeyEvent* event);
// A key press that types `keyAscii`: what a text box gets when a host
// replaced the character of a key press.
std::unique_ptr<QKeyEvent> keyPressFor(int keyAscii);

// Mouse button and buttons as bits (1 left, 2 right, 4 middle).
int mouseButton(Qt::MouseButton button);
int mouseButtons(Qt::MouseButtons buttons);

} // namespace qt_keys
