// Draws the inflows/outflows statement as a table: a heading row naming each
// period and the Total column, the beginning balances, the inflow rows and
// their total, the outflow rows and their total, and the ending balances. On
// the window the rows are banded and offset by the scroll positions.
#pragma once

#include "book/book.h"
#include "statements/inflows_outflows.h"
#include "statements/qt/draw_target.h"

#include <vector>

struct FlowLayout {
    double left = 0;          // horizontal offset (minus the horizontal scroll on the window)
    double nameColumn = 0;    // where the first amount column ends (twips, before the zoom)
    double step = 1500;       // from one column's right edge to the next (twips, before the zoom)
    int firstPeriod = 0;      // the first period column shown (0 = the first)
    int columnsEnd = 1 << 30; // the columns from `columnsEnd` on are left out
    double nameRoom = 0;      // on paper, the widest a name may be drawn (0: whole)
};

struct FlowDrawing {
    double foot = 0;       // the Ending Balance row's foot, from the top of the drawing
    double tableRight = 0; // the right edge of the Total column
};

// The name column: the widest account name in the current font plus 1650,
// or plus the label's indent and a column `step` when a figure is wider;
// wider still when a label beside the first column (a short name's table
// has "Beginning Balance:") would reach its widest figure.
double flowNameColumn(DrawingSurface& s, const Book& book, const InflowsOutflows& io, double step);
// The column step: 1500, or wider so that the longest figure keeps a
// blank's room from its neighbour.
double flowColumnStep(DrawingSurface& s, const InflowsOutflows& io);

// On paper `width` twips wide, in the fonts of `zoom` (the surface's
// present font at that zoom): whether names that keep their paper least
// width and one column of figures fit beside each other.
bool flowColumnsFit(DrawingSurface& s, const Book& book, const InflowsOutflows& io, double zoom,
                    double width);

// On paper `width` twips wide at `scale`: `layout` cut into strips of
// columns from its first period to the last of `columns` (the Total), each
// strip with the names again (cut when even one column would not fit beside
// them whole), as many columns in each as fit.
std::vector<FlowLayout> flowPaperStrips(const FlowLayout& layout, int columns, double scale,
                                        double width);

// Draws from t.s.CurrentY. On the window only the rows and columns in
// view are drawn.
FlowDrawing drawInflowsOutflows(DrawTarget& t, const InflowsOutflows& io, const FlowLayout& layout);
