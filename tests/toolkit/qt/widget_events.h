// Mouse and key helpers for the control tests: events go through the
// top-level window, so they reach whatever widget lies under the pointer.
#pragma once

#include "dialog_driving.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace widget_events {

inline void mouse(QWidget* top, QEvent::Type type, QPoint at, Qt::MouseButton button,
                  Qt::MouseButtons buttons) {
    const QPointF local(at);
    QMouseEvent event(type, local, local, QPointF(top->mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(top->windowHandle(), &event);
}

inline void press(QWidget* top, QPoint at) {
    mouse(top, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}
inline void release(QWidget* top, QPoint at) {
    mouse(top, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}
inline void click(QWidget* top, QPoint at) {
    press(top, at);
    release(top, at);
}
inline void moveTo(QWidget* top, QPoint at) {
    mouse(top, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

// A point of a widget in its top-level window's coordinates.
inline QPoint inTop(QWidget* w, QPoint at) {
    return w->mapTo(w->window(), at);
}

inline void showTop(QWidget* top) {
    top->show();
    QApplication::processEvents();
}

// Saves the widget's picture for a reviewer; returns the file's path.
inline QString saveShot(QWidget* w, const QString& name) {
    return QString::fromStdString(dialog_driving::saveScreenshot(w, name.toStdString()).string());
}

} // namespace widget_events
