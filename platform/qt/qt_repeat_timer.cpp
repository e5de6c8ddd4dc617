#include "platform/qt/qt_repeat_timer.h"

QtRepeatTimer::QtRepeatTimer() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTimeout) onTimeout();
    });
}

void QtRepeatTimer::start(int ms) {
    timer_.start(ms);
}

void QtRepeatTimer::stop() {
    timer_.stop();
}
