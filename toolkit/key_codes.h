// Key codes, shift states and the argument structs that the program's own
// controls pass to their hosts. A handler that sets a code to 0 swallows the
// key: the control then acts as if it had never been pressed. A key without a
// code of its own ("&", "é") comes with code 0 and is not swallowed so: its
// character is judged at the key press.
#pragma once

namespace keys {

// Key codes of key-down and key-up events (the keyboard's virtual-key numbers).
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int ShiftKey = 16;
constexpr int ControlKey = 17;
constexpr int Menu = 18; // Alt
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Digit0 = 48;  // "0" to "9" are 48 to 57
constexpr int LetterA = 65; // "A" to "Z" are 65 to 90
constexpr int F1 = 112;     // F1 to F12 are 112 to 123

// Character codes of key-press events: the character itself, or one of these
// control characters.
constexpr int CtrlC = 3;
constexpr int CtrlV = 22;
constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Esc = 27;

// Shift state bits.
constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;
constexpr int AltMask = 4;

// Mouse buttons.
constexpr int LeftButton = 1;
constexpr int RightButton = 2;
constexpr int MiddleButton = 4;

} // namespace keys

// Key-down and key-up arguments; KeyCode is the handler's to change.
struct KeyArgs {
    int KeyCode = 0;
    int Shift = 0;
};

// Key-press argument: the character typed; the handler may change or zero it.
struct KeyPressArgs {
    int KeyAscii = 0;
};

// Mouse arguments passed on by a control; position in the control's pixels.
struct MouseArgs {
    int Button = 0;
    int Shift = 0;
    float X = 0;
    float Y = 0;
};
