// The repeat timer on Qt's event loop.
#pragma once

#include "platform/repeat_timer.h"

#include <QTimer>

class QtRepeatTimer : public RepeatTimer {
  public:
    QtRepeatTimer();
    void start(int ms) override;
    void stop() override;

  private:
    QTimer timer_;
};
