// PrintScale holds a print's zoom only while the copies print.
#pragma once

#include "book/runtime_state.h"

// Sets PrintScale to a print's zoom and back to 1 when it goes out of scope:
// after the copies, a cancel or an error alike.
class PrintScaleGuard {
  public:
    PrintScaleGuard(RunTimeState& run, double zoom) : run_(run) {
        run_.PrintScale = static_cast<float>(zoom);
    }
    ~PrintScaleGuard() { run_.PrintScale = 1.0f; }
    PrintScaleGuard(const PrintScaleGuard&) = delete;
    PrintScaleGuard& operator=(const PrintScaleGuard&) = delete;

  private:
    RunTimeState& run_;
};
