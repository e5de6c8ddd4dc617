#include "toolkit/qt/field_events.h"

#include "toolkit/qt/qt_keys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

FieldEvents* FieldEvents::attach(QWidget* control) {
    return new FieldEvents(control);
}

FieldEvents::FieldEvents(QWidget* control) : QObject(control), control_(control) {
    control->installEventFilter(this);
    if (auto* box = qobject_cast<QComboBox*>(control); box && box->lineEdit())
        box->lineEdit()->installEventFilter(this);
}

bool FieldEvents::key(QObject* watched, QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) return false;
    KeyArgs args{qt_keys::keyCode(event), qt_keys::shiftState(event->modifiers())};
    if (event->type() == QEvent::KeyRelease) {
        if (event->isAutoRepeat() || !keyUp) return false;
        keyUp(args);
        return false;
    }
    if (keyDown) {
        keyDown(args);
        if (qt_keys::swallowedByHandler(event, args)) {
            event->accept();
            return true;
        }
    }
    if (keyPress) {
        if (const int typed = qt_keys::keyAscii(event)) {
            KeyPressArgs press{typed};
            keyPress(press);
            if (press.KeyAscii == 0) {
                event->accept();
                return true;
            }
            if (press.KeyAscii != typed) {
                // The handler typed another character in place of this one.
                const auto replacement = qt_keys::keyPressFor(press.KeyAscii);
                forwarding_ = true;
                QApplication::sendEvent(watched, replacement.get());
                forwarding_ = false;
                event->accept();
                return true;
            }
        }
    }
    return false;
}

bool ownListOpen(const QWidget* control) {
    const auto* box = qobject_cast<const QComboBox*>(control);
    return box && box->view() && box->view()->isVisible();
}

bool FieldEvents::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Left unaccepted, the window's shortcut runs instead of the control's own key.
        return windowShortcut && windowShortcut(*static_cast<QKeyEvent*>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return !forwarding_ && key(watched, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        if (watched != control_) break;
        // A popup or another window taking the focus is no loss of this control's.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) break;
        // Nor is a combo box's own list opening: the focus goes to the list, whatever the
        // reason given (the first opening in a window gives none of the two).
        if (event->type() == QEvent::FocusOut && ownListOpen(control_)) break;
        const auto& handler = event->type() == QEvent::FocusIn ? gotFocus : lostFocus;
        if (handler) handler();
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (doubleClick) doubleClick();
        break;
    case QEvent::MouseButtonPress:
        pressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        if (mousePress) mousePress();
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool inside =
            static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
        const bool clicked = pressed_ && mouse->button() == Qt::LeftButton && inside;
        pressed_ = false;
        if (clicked && click) click();
        break;
    }
    case QEvent::MouseMove:
        if (mouseMove) mouseMove();
        break;
    case QEvent::Leave:
        if (mouseLeave) mouseLeave();
        break;
    default:
        break;
    }
    return false;
}
