// What the three ledger windows share beyond their top controls: the font
// their rows are drawn in, the guard around a build, and the progress step
// the builders call.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "ledgers/ledger_choice.h"
#include "ledgers/qt/ledger_host.h"
#include "toolkit/qt/LoadSave.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class DrawingSurface;

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

// Prints through the main window's print setup: nothing when it is
// cancelled; else each copy a print job of its own drawn by `draw` at the
// chosen zoom, PrintScale holding that zoom meanwhile and 1 afterwards, and
// string 292 when the printer fails.
void printLedger(const LedgerHost& host,
                 const std::function<void(DrawingSurface&, double zoom)>& draw);

// The export file asked for in the file dialog (caption "Save As...", button
// "Save"), `patterns` such as "*.csv" with the first as the default type;
// nothing when cancelled. The dialog is made on first use.
std::optional<LoadSave::Choice> askExportFile(QWidget* owner, QPointer<LoadSave>& dialog,
                                              RunTimeState& run,
                                              const std::vector<std::string>& patterns);
