// While a statement window computes: the hourglass (hover and drill-down
// wait for it) and the progress window stepping through the journal; both
// end on every path.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "book/tmain.h"
#include "toolkit/qt/MousePointer.h"

class ComputingGuard {
  public:
    ComputingGuard(RunTimeState& run, const Book& book) : run_(run) {
        run_.ProgressStride = progressStrideFor(book.LastEntryLine());
        Tmain::BeginProgress(run_, "Balancing");
    }
    ~ComputingGuard() { Tmain::EndProgress(run_); }
    ComputingGuard(const ComputingGuard&) = delete;
    ComputingGuard& operator=(const ComputingGuard&) = delete;

  private:
    const pointer::BusySection busy_; // first, so that it ends last
    RunTimeState& run_;
};
