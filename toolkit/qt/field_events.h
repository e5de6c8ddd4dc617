// The events of one text or combo box as its window handles them:
// key down, key press and key up with the program's own key codes (a handler
// that sets the code to 0 keeps the key from the control; a key press handler
// that sets another character has the control type that one), the focus coming
// and going, double clicks, clicks and the mouse passing over it. Tab and
// Back-tab are left to the focus chain. The window's own shortcuts are not
// taken over by the control, so Ctrl+N and the like work from every field.
#pragma once

#include "toolkit/key_codes.h"

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

// Whether `control` is a combo box whose list is dropped down: the focus
// going to that list is no leaving of the box, whatever reason the focus
// event gives (the list's first opening in a window gives neither the
// popup's nor another window's).
bool ownListOpen(const QWidget* control);

class FieldEvents : public QObject {
  public:
    // Watches `control` (and, for an editable combo box, its text box); the
    // watcher lives as long as the control.
    static FieldEvents* attach(QWidget* control);

    std::function<void(KeyArgs&)> keyDown;
    std::function<void(KeyPressArgs&)> keyPress;
    std::function<void(KeyArgs&)> keyUp;
    std::function<void()> gotFocus;
    std::function<void()> lostFocus;
    std::function<void()> doubleClick;
    std::function<void()> mousePress; // any button pressed on the control
    std::function<void()> click;      // left button released inside the control
    std::function<void()> mouseMove;
    std::function<void()> mouseLeave;
    // True for a key combination the window keeps as its own shortcut.
    std::function<bool(const QKeyEvent&)> windowShortcut;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit FieldEvents(QWidget* control);
    bool key(QObject* watched, QKeyEvent* event);

    QWidget* control_;
    bool pressed_ = false;
    bool forwarding_ = false; // a replaced key on its way to the control
};
