// A timer that, once started, calls onTimeout at a steady interval until it
// is stopped. The scroll bars repeat a held press on one. The program's runs
// on the window system's clock; a test's runs only as far as the test moves
// its time on, so what a held button does never depends on the machine's speed.
#pragma once

#include <functional>

class RepeatTimer {
  public:
    virtual ~RepeatTimer() = default;
    // Starts the timer, or starts it again, to fire `ms` milliseconds from
    // now and every `ms` after that.
    virtual void start(int ms) = 0;
    virtual void stop() = 0;

    std::function<void()> onTimeout;
};
