#include "book/runtime_state.h"

#include <cmath>

void markBookChanged(RunTimeState& run) {
    run.BookChanged = true;
    ++run.BookGeneration;
}

void markBookReplaced(RunTimeState& run) {
    run.BookChanged = false;
    ++run.BookGeneration;
}

std::int32_t progressStrideFor(std::int32_t lastEntryLine) {
    double stride = std::nearbyint(static_cast<double>(lastEntryLine) / 99.0); // halves to even
    return stride < 1 ? 1 : static_cast<std::int32_t>(stride);
}
