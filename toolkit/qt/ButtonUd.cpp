#include "toolkit/qt/ButtonUd.h"

#include "toolkit/overlay_picture.h"
#include "toolkit/qt/canvas_image.h"
#include "toolkit/qt/qt_keys.h"

#include <QMouseEvent>
#include <QPainter>

ButtonUd::ButtonUd(QWidget* parent) : QWidget(parent) {
    picture_ = imageOf(overlay_picture::make());
    setFixedSize(picture_.size());
    // Only the picture's non-black pixels are drawn and hit by the mouse.
    QRegion shape;
    for (int y = 0; y < picture_.height(); ++y) {
        int x = 0;
        while (x < picture_.width()) {
            while (x < picture_.width() && (picture_.pixel(x, y) & 0xFFFFFF) == 0)
                ++x;
            const int start = x;
            while (x < picture_.width() && (picture_.pixel(x, y) & 0xFFFFFF) != 0)
                ++x;
            if (x > start) shape += QRect(start, y, x - start, 1);
        }
    }
    setMask(shape);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ButtonUd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

MouseArgs ButtonUd::mouseArgs(QMouseEvent* event, int button) const {
    return MouseArgs{button, qt_keys::shiftState(event->modifiers()),
                     static_cast<float>(event->position().x()),
                     static_cast<float>(event->position().y())};
}

void ButtonUd::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    MouseArgs args = mouseArgs(event, qt_keys::mouseButton(event->button()));
    emit MouseDown(args);
}

void ButtonUd::mouseMoveEvent(QMouseEvent* event) {
    MouseArgs args = mouseArgs(event, qt_keys::mouseButtons(event->buttons()));
    emit MouseMove(args);
}

void ButtonUd::mouseReleaseEvent(QMouseEvent* event) {
    MouseArgs args = mouseArgs(event, qt_keys::mouseButton(event->button()));
    emit MouseUp(args);
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit Click();
}

void ButtonUd::keyPressEvent(QKeyEvent* event) {
    KeyArgs down{qt_keys::keyCode(event), qt_keys::shiftState(event->modifiers())};
    emit KeyDown(down);
    if (qt_keys::swallowedByHandler(event, down)) return;
    if (const int typed = qt_keys::keyAscii(event)) {
        KeyPressArgs press{typed};
        emit KeyPress(press);
    }
}

void ButtonUd::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;
    KeyArgs up{qt_keys::keyCode(event), qt_keys::shiftState(event->modifiers())};
    emit KeyUp(up);
}
