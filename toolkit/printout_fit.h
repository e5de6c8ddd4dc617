// How a printout fits its page: the zoom it prints at, lowered from the one
// asked where its figure columns, headings or names would not fit at it,
// and how an account name is printed where even the lowest zoom leaves it
// too little room.
#pragma once

#include "platform/drawing_surface.h"
#include "toolkit/table_columns.h"

#include <functional>
#include <string>
#include <vector>

// A line of a printout's headings (a title, a period, a column's heading)
// printed whole from `left` twips: its text and its type at 100 %, and the
// points its type has beyond that at every zoom.
struct PrintedHeading {
    std::string text;
    double points = 10;
    bool bold = true;
    double left = 0;
    double extraPoints = 0;
};
// Whether each heading, in its type at `zoom`, ends on the surface's page.
// The surface's font is left as it was. A heading no page holds even at the
// lowest zoom goes on in lines below (printWithin, toolkit/text_wrap).
bool headingsFit(DrawingSurface& s, const std::vector<PrintedHeading>& headings, double zoom);

// The zoom a printout prints at when `asked` is chosen: `asked` itself when
// its figure columns fit the page at it (`fits`, measured in the fonts of
// that zoom), else the largest zoom below it at which they do, to a
// thousandth, never below the zoom box's floor (nor below `asked`). An
// `asked` above the zoom box's largest is taken as that largest.
double fittingZoom(double asked, const std::function<bool(double zoom)>& fits);
// fittingZoom for a printout measured in one font: before each try the
// surface's font size is set to `points` times the zoom tried, and the
// surface is left at the size of the zoom returned. A zoom fits only where
// its `headings` fit too, so that every title prints whole on the page.
double fittingFontZoom(DrawingSurface& s, double points, double asked,
                       const std::function<bool(double zoom)>& fits,
                       const std::vector<PrintedHeading>& headings = {});

// Account names on paper, the labels printed in their place and the other
// texts of a table (references, class captions) print whole. A printout
// counts them in its fit as it counts its figures: a name column's `whole` is
// its widest text, and a zoom fits only where the table holds every name
// column at that width (`tableFitsNamesWhole`). At the zoom box's floor a
// page may still be too narrow (a name of thousands of letters): only then do
// the names give way, each one wider than its room shortened with a visible
// mark (`printedName`). The invoice, printed at one size, wraps a long name
// within its room instead (printWithin).
bool tableFitsNamesWhole(std::vector<TableColumn> columns, double room);
// Before the columns are placed in `room`: each name column keeps its
// `whole` when the table fits so.
void keepNamesWhole(std::vector<TableColumn>& columns, double room);
// The name as printed in `room` twips: whole when it fits, else its longest
// beginning that fits with the mark after it.
std::string printedName(DrawingSurface& s, const std::string& name, double room);
