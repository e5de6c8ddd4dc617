// The drawing of a ledger window's texts in window pixels on a drawing
// surface. Its table's columns are laid out for the window's width by
// placeTableColumns: where every figure fits its design, the design stands;
// what is still too wide for the window runs past it, for the window's
// horizontal scroll bar to reach. Names are cut at their column's edge.
#pragma once

#include "platform/drawing_surface.h"
#include "toolkit/table_columns.h"

#include <string>
#include <vector>

// --- texts in window pixels (15 twips each) --------------------------------

double pixelWidth(DrawingSurface& s, const std::string& text);
// The widest of `texts` in the surface's present font, in pixels.
double widestPixels(DrawingSurface& s, const std::vector<std::string>& texts);
// The pitch of rows drawn in the surface's present font, plain or bold: the
// design's `pixels`, or the font's line height when that is taller.
double rowPitch(DrawingSurface& s, double pixels);
// A text with its top-left corner at (x, y).
void textAt(DrawingSurface& s, double x, double y, const std::string& text);
// A text that ends at `right`.
void textEndingAt(DrawingSurface& s, double right, double y, const std::string& text);
// A name from `x`, cut to its longest beginning (whole characters) no wider than `room`.
void nameAt(DrawingSurface& s, double x, double y, double room, const std::string& text);
// The longest beginning of `text` no wider than `room` pixels.
std::string cutToRoom(DrawingSurface& s, const std::string& text, double room);

void lineAt(DrawingSurface& s, double x1, double y1, double x2, double y2, RgbColor color = 0);
// A box filled with `fill` and outlined in black.
void ruledBoxAt(DrawingSurface& s, double x1, double y1, double x2, double y2, RgbColor fill);
