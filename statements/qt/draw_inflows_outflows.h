// Draws the inflows/outflows statement as a table: a heading row naming each
// period and the Total column, the beginning balances, the inflow rows and
// their total, the outflow rows and their total, and the ending balances. On
// the window the rows are banded and offset by the scroll positions.
#pragma once

#include "book/book.h"
#include "statements/inflows_outflows.h"
#include "statements/qt/draw_target.h"

#include <vector>

// Widths are twips in the font drawn (at the zoom, on paper).
struct FlowLayout {
    double left = 0;          // horizontal offset (minus the horizontal scroll on the window)
    double nameColumn = 0;    // where the first amount column ends
    double step = 1500;       // from one column's right edge to the next
    int firstPeriod = 0;      // the first period column shown (0 = the first)
    int columnsEnd = 1 << 30; // the columns from `columnsEnd` on are left out
    double nameRoom = 0;      // on paper, the room a label wraps in (0: each fits whole)
};

struct FlowDrawing {
    double foot = 0;       // the Ending Balance row's foot, from the top of the drawing
    double tableRight = 0; // the right edge of the Total column
};

// The table's font: the book's, bold, 9 points at the zoom `scale`.
constexpr double FlowPoints = 9;
void useFlowFont(DrawingSurface& s, const Book& book, double scale);

// The name column and the column step, measured in the target's present
// font and drawn at its scale, with the designed room (the labels' indent,
// the least step, the blank between figures) scaled with the font: the step
// 1500, or wider so that the longest figure keeps a blank's room from its
// neighbour; the name column the widest account name (on the window the
// book's, on paper the widest of the rows printed) plus 1650, or plus the
// labels' indent and a step when a figure is wider, wider still when a label
// beside the first column (a short name's table has "Beginning Balance:")
// would reach its widest figure. A window keeps them once per computation.
Measured measureFlowTable(DrawTarget& t, const Book& book, const InflowsOutflows& io);

// Draws from t.s.CurrentY. On the window only the rows and columns in
// view are drawn.
FlowDrawing drawInflowsOutflows(DrawTarget& t, const InflowsOutflows& io, const FlowLayout& layout);

// Prints the statement from its `firstPeriod` on `paper` at its zoom, or
// lower where the figures would not fit the page (paper.scale is left at the
// zoom printed): the heading, wrapped within the page, then the table in
// strips of columns, each strip on pages of its own under the heading again;
// a label too wide for the names' room wraps within it.
void printInflowsOutflows(DrawTarget& paper, const Book& book, const InflowsOutflows& io,
                          int firstPeriod);
