// What the three ledger windows share beyond their top controls and their
// File menu: the canvas their table is drawn on through a drawing surface
// (so that the same drawing can be recorded), the font of their rows, the
// detail bar, the horizontal scroll bar of a table wider than the window,
// and the guard around a build.
#pragma once

#include "book/book.h"
#include "book/runtime_state.h"
#include "ledgers/qt/ledger_host.h"
#include "platform/drawing_surface.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <string>

class QMainWindow;
class QPainter;
class RealhScroll;

// The name of the font the rows are drawn in: the book's, else the interface's.
std::string ledgerFontName(const Book& book);

// The drawn part of a ledger window. Each paint draws through a drawing
// surface on the canvas itself, over the `underlay` (the toolbar picture);
// the mouse reaches the window in canvas pixels.
class LedgerCanvas : public QWidget {
  public:
    explicit LedgerCanvas(QWidget* parent);
    std::function<void(QPainter&)> underlay;
    std::function<void(DrawingSurface&)> draw;
    std::function<void(QPointF)> pressed, moved;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

// A ledger window's canvas, made its central widget: drawn by `draw` (over
// the main window's toolbar picture when a host gives it), the mouse handed
// to `pressed` and `moved`.
LedgerCanvas* addLedgerCanvas(QMainWindow& window, const LedgerHost* backdrop,
                              std::function<void(DrawingSurface&)> draw,
                              std::function<void(QPointF)> pressed,
                              std::function<void(QPointF)> moved);

// The main window's toolbar picture at the top left, behind the strip.
void drawToolbarBackdrop(QPainter& p, const LedgerHost& host);

// Runs `measure` on a surface that measures texts as the canvases draw them.
void measureOnScreen(const std::function<void(DrawingSurface&)>& measure);

// The detail bar along the foot of a canvas `width` x `height` pixels: the
// button face with `text` in the rows' font, in black. Returns its top.
double drawDetailBar(DrawingSurface& s, const QWidget& canvas, const std::string& fontName,
                     double points, const std::string& text);
inline constexpr int DetailBarHeight = 22;

// A table wider than its window: the horizontal scroll bar is shown over
// `place` when the table's right edge runs past `room` (both in canvas
// pixels), ranging over the excess in twips; otherwise it is hidden and back
// at the start. Returns whether it shows.
bool fitTableScroll(RealhScroll& bar, double tableRight, double room, const QRect& place);
// How far the table is scrolled to the left, in pixels.
double tableScrolled(const RealhScroll& bar);
inline constexpr int TableScrollHeight = 17;

// One build at a time per window: the window is disabled and the progress
// window runs while the builder works (the builder lets events run at each
// step); a second build asked for meanwhile is refused. The control that had
// the focus (the one a Tab out of a box went to) has it again afterwards.
class BuildGuard {
  public:
    BuildGuard(QWidget* window, bool& building, RunTimeState& run);
    ~BuildGuard();
    BuildGuard(const BuildGuard&) = delete;
    BuildGuard& operator=(const BuildGuard&) = delete;
    bool refused() const { return refused_; }

  private:
    QPointer<QWidget> window_;
    QPointer<QWidget> focus_;
    bool& building_;
    RunTimeState& run_;
    bool refused_ = false;
};
