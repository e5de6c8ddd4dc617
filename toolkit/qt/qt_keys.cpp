#include "toolkit/qt/qt_keys.h"

#include <QKeySequence>

namespace qt_keys {

int keyCode(const QKeyEvent* event) {
    const int key = event->key();
    const bool keypad = event->modifiers().testFlag(Qt::KeypadModifier);
    if (keypad && key >= Qt::Key_0 && key <= Qt::Key_9) return 96 + (key - Qt::Key_0);
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key; // same numbers
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return keys::F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return keys::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return keys::Tab;
    case Qt::Key_Clear:
        return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keys::Return;
    case Qt::Key_Shift:
        return keys::ShiftKey;
    case Qt::Key_Control:
        return keys::ControlKey;
    case Qt::Key_Alt:
        return keys::Menu;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return keys::Escape;
    case Qt::Key_Space:
        return keys::Space;
    case Qt::Key_PageUp:
        return keys::PageUp;
    case Qt::Key_PageDown:
        return keys::PageDown;
    case Qt::Key_End:
        return keys::End;
    case Qt::Key_Home:
        return keys::Home;
    case Qt::Key_Left:
        return keys::Left;
    case Qt::Key_Up:
        return keys::Up;
    case Qt::Key_Right:
        return keys::Right;
    case Qt::Key_Down:
        return keys::Down;
    case Qt::Key_Insert:
        return keys::Insert;
    case Qt::Key_Delete:
        return keys::Delete;
    case Qt::Key_NumLock:
        return 144;
    case Qt::Key_ScrollLock:
        return 145;
    case Qt::Key_Asterisk:
        return keypad ? 106 : 56;
    case Qt::Key_Plus:
        return keypad ? 107 : 187;
    case Qt::Key_Minus:
        return keypad ? 109 : 189;
    case Qt::Key_Period:
        return keypad ? 110 : 190;
    case Qt::Key_Slash:
        return keypad ? 111 : 191;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 186;
    case Qt::Key_Equal:
        return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Underscore:
        return 189;
    case Qt::Key_Greater:
        return 190;
    case Qt::Key_Question:
        return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 222;
    default:
        return 0;
    }
}

bool swallowedByHandler(const QKeyEvent* event, const KeyArgs& args) {
    return args.KeyCode == 0 && keyCode(event) != 0;
}

bool editingKey(const QKeyEvent* event) {
    return event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy);
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) shift |= keys::ShiftMask;
    if (modifiers.testFlag(Qt::ControlModifier)) shift |= keys::CtrlMask;
    if (modifiers.testFlag(Qt::AltModifier)) shift |= keys::AltMask;
    return shift;
}

int keyAscii(const QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (editingKey(event)) return 0;
    if (mods.testFlag(Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    switch (key) {
    case Qt::Key_Backspace:
        return keys::Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keys::Enter;
    case Qt::Key_Escape:
        return keys::Esc;
    case Qt::Key_Tab:
        return 9;
    default:
        break;
    }
    if (mods.testFlag(Qt::ControlModifier) || mods.testFlag(Qt::AltModifier)) return 0;
    const QString text = event->text();
    if (text.isEmpty()) return 0;
    const char32_t c = text.toUcs4().value(0);
    return c >= 32 && c != 127 ? static_cast<int>(c) : 0;
}

bool typedWithAlt(const QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (!mods.testFlag(Qt::AltModifier) || mods.testFlag(Qt::ControlModifier)) return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).category() != QChar::Other_Control;
}

std::unique_ptr<QKeyEvent> keyPressFor(int ascii) {
    switch (ascii) {
    case keys::Backspace:
        return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    case keys::Enter:
        return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                                           QStringLiteral("\r"));
    case keys::Esc:
        return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    case 9:
        return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    default:
        break;
    }
    if (ascii >= 1 && ascii <= 26)
        return std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_A + ascii - 1,
                                           Qt::ControlModifier);
    const char32_t c = static_cast<char32_t>(ascii);
    const QString text = QString::fromUcs4(&c, 1);
    int key = Qt::Key_unknown;
    if (text.size() == 1 && text.at(0).unicode() < 0x80) key = text.toUpper().at(0).unicode();
    return std::make_unique<QKeyEvent>(QEvent::KeyPress, key, Qt::NoModifier, text);
}

int mouseButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return keys::LeftButton;
    case Qt::RightButton:
        return keys::RightButton;
    case Qt::MiddleButton:
        return keys::MiddleButton;
    default:
        return 0;
    }
}

int mouseButtons(Qt::MouseButtons buttons) {
    int bits = 0;
    if (buttons.testFlag(Qt::LeftButton)) bits |= keys::LeftButton;
    if (buttons.testFlag(Qt::RightButton)) bits |= keys::RightButton;
    if (buttons.testFlag(Qt::MiddleButton)) bits |= keys::MiddleButton;
    return bits;
}

} // namespace qt_keys
