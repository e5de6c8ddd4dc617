// What the three ledger windows share beyond their top controls: the font
// their rows are drawn in, the guard around a build, and the progress step
// the builders call.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "ledgers/ledger_choice.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

// The book's font (the interface font when it names none) at `points`.
QFont ledgerFont(const Book& book, double points);

// One build at a time per window: the window is disabled and the progress
// window runs while the builder works (the builder lets events run at each
// step); a second build asked for meanwhile is refused.
class BuildGuard {
  public:
    BuildGuard(QWidget* window, bool& building, RunTimeState& run);
    ~BuildGuard();
    BuildGuard(const BuildGuard&) = delete;
    BuildGuard& operator=(const BuildGuard&) = delete;
    bool refused() const { return refused_; }

  private:
    QPointer<QWidget> window_;
    bool& building_;
    RunTimeState& run_;
    bool refused_ = false;
};

// The progress step a build passes to the builder.
ProgressStep progressOf(RunTimeState& run);

// The shared part of every build's choice: the period, the reconcile switch,
// the locale's marks and the progress step.
LedgerChoice ledgerChoice(Currency account, double from, double to, bool reconcile,
                          RunTimeState& run);
