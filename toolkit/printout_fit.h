// How a printout fits its page: the zoom it prints at, lowered from the one
// asked only where its figures (which cannot wrap) or a word it keeps whole
// (narrowestRoom, toolkit/text_wrap) would not fit the page at it, and the
// columns its names, labels and references take, in which they wrap onto
// further lines of their row.
#pragma once

#include "platform/drawing_surface.h"
#include "toolkit/table_columns.h"

#include <functional>
#include <string>
#include <vector>

// The zoom a printout prints at when `asked` is chosen: `asked` itself when
// its figure columns and the words it keeps whole fit the page at it
// (`fits`, measured in the fonts of that zoom), else the largest zoom below
// it at which they do, to a thousandth, never below the zoom box's floor
// (nor below `asked`). An `asked` above the zoom box's largest is taken as
// that largest.
double fittingZoom(double asked, const std::function<bool(double zoom)>& fits);
// fittingZoom for a printout measured in one font: before each try the
// surface's font size is set to `points` times the zoom tried, and the
// surface is left at the size of the zoom returned.
double fittingFontZoom(DrawingSurface& s, double points, double asked,
                       const std::function<bool(double zoom)>& fits);

// A text a printout wraps in a room of its own (a heading, an address line,
// a note), in its type at zoom 1.
struct HeadingText {
    std::vector<std::string> texts; // one, or several of one type and room
    double points = 0;
    bool bold = true;
    double room = 0; // twips
    bool italic = false;
};
// Whether each of `headings` keeps its words whole in its room in its type
// at `zoom` (narrowestRoom); the surface's font is left as it was.
bool headingsFit(DrawingSurface& s, const std::vector<HeadingText>& headings, double zoom);

// A column of texts that wrap on paper (names, labels, references): as wide
// as its widest text `whole` where the page has room for every such column
// whole (placeOnPaper), else at its design, giving way to the figures down to
// its least width, and never narrower than `narrowest` (narrowestRoom), so
// that each of its lines keeps within it and no word it keeps whole breaks.
void wrapsOnPaper(TableColumn& column, double whole, double narrowest);
// Places the columns on paper from `start` within `room` (placeTableColumns):
// every wrapping column whole where the table holds them all so, else at its
// design, giving way in its share; returns where the last ends.
double placeOnPaper(std::vector<TableColumn>& columns, double start, double room);
// Whether the figure columns fit `room` beside the wrapping columns at their
// least: the one measure of the fit and of the drawing.
bool figuresFit(const std::vector<TableColumn>& columns, double room);

// The name as shown on a window in `room` twips: whole when it fits, else
// its longest beginning that fits with a mark after it (paper wraps instead).
std::string printedName(DrawingSurface& s, const std::string& name, double room);
