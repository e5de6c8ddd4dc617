#include "mainwindow/qt/line_scroller.h"

#include <QKeyEvent>

#include <algorithm>

LineScroller::LineScroller(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QAbstractSlider::valueChanged, this, [this] {
        if (!setting_) emit Change();
    });
}

void LineScroller::setValue_(int v) {
    setting_ = true;
    setValue(std::clamp(v, minimum(), maximum()));
    setting_ = false;
    emit Change();
}

void LineScroller::setValueMax(int m) {
    setting_ = true;
    setMaximum(std::max(0, m));
    setting_ = false;
}

void LineScroller::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        KeyArgs args{event->key() == Qt::Key_Up ? keys::Up : keys::Down, 0};
        emit KeyDown(args);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}
