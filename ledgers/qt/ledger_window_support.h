// What the three ledger windows share beyond their top controls and their
// File menu: the font their rows are drawn in, the backdrop and the detail
// bar of their drawing, and the guard around a build.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "ledgers/qt/ledger_host.h"

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <string>

class QPainter;

// The book's font (the interface font when it names none) at `points`.
QFont ledgerFont(const Book& book, double points);

// The main window's toolbar picture at the top left, behind the strip.
void drawToolbarBackdrop(QPainter& p, const LedgerHost& host);

// The detail bar along the foot of `canvas`: the button face with `text` in
// `font`, in black. Returns the bar.
QRect drawDetailBar(QPainter& p, const QWidget& canvas, const QFont& font, const std::string& text);

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
