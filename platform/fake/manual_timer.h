// A repeat timer for tests: it fires only while the test moves its time on,
// at each moment its interval comes round.
#pragma once

#include "platform/repeat_timer.h"

#include <cstdint>

class ManualTimer : public RepeatTimer {
  public:
    void start(int ms) override;
    void stop() override { running_ = false; }
    bool running() const { return running_; }
    int interval() const { return interval_; }

    // Moves the time on by `ms`, firing on the way; a start made while firing
    // counts from the moment it fired.
    void advance(int ms);

  private:
    std::int64_t now_ = 0;
    std::int64_t due_ = 0;
    int interval_ = 0;
    bool running_ = false;
};
