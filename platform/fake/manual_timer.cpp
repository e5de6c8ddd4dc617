#include "platform/fake/manual_timer.h"

#include <algorithm>

void ManualTimer::start(int ms) {
    // A zero interval fires on every turn of an event loop; here, every millisecond.
    interval_ = std::max(1, ms);
    due_ = now_ + interval_;
    running_ = true;
}

void ManualTimer::advance(int ms) {
    const std::int64_t end = now_ + ms;
    while (running_ && due_ <= end) {
        now_ = due_;
        due_ += interval_;
        if (onTimeout) onTimeout();
    }
    now_ = end;
}
