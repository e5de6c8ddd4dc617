// Columns of a table laid side by side, on the window or on paper, and the
// one rule they share: each figure column is as wide as its widest figure and
// never narrower than its design; the name columns give way for what the
// figures took beyond their design (and for what the whole would take beyond
// the room it has), each in proportion to its design and down to its least
// width, the others giving what one cannot. Past that the table runs wider
// than its room. Widths are in any one
// unit (window pixels or twips).
#pragma once

#include "platform/drawing_surface.h"

#include <string>
#include <vector>

struct TableColumn {
    double design = 0; // the designed width
    double need = 0;   // a figure column: its widest text with its margins
    bool name = false; // a name column (or a margin): gives way to the figures
    double least = 0;  // a name column's narrowest
    double whole = 0;  // a name column on paper: its widest text (toolkit/printout_fit)
    // Placed by placeTableColumns.
    double left = 0;
    double width = 0;
    double right() const { return left + width; }
};

// Columns of these designed widths, left to right.
std::vector<TableColumn> designedColumns(const std::vector<double>& designs);

// Places the columns side by side from `start` within `room` (when negative:
// the designs' sum); returns where the last ends.
double placeTableColumns(std::vector<TableColumn>& columns, double start, double room = -1);

// The narrowest the columns can be placed without cutting a figure: each
// name at its least width, each figure column whole.
double leastTableWidth(const std::vector<TableColumn>& columns);

// The width of the widest of `texts` in the surface's present font (twips;
// 0 for none).
double widestTextWidth(DrawingSurface& s, const std::vector<std::string>& texts);

// The longest beginning of `text` (whole characters) no wider than `width`
// twips in the surface's present font: the whole text when it fits.
std::string cutToWidth(DrawingSurface& s, const std::string& text, double width);
