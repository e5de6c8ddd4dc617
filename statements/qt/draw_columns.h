// The column layout of the income statement and the balance sheet: a name
// column as wide as the longest account name plus one amount step, three
// amount columns right-aligned one step apart, the whole centred.
#pragma once

#include "book/book.h"
#include "platform/drawing_surface.h"
#include "statements/qt/draw_target.h"

#include <string>
#include <vector>

struct AmountColumns {
    double step = 0;  // W: the widest amount drawn plus 400
    double names = 0; // N: the longest name plus one step, at least 5000
    double left = 0;  // X: the left edge, at least 100
    double right(int column) const { return left + names + column * step; } // 0, 1, 2
};

// Measured in the surface's current font: `amounts` are every amount text
// the drawing will write.
Measured measureAmountColumns(DrawingSurface& s, const Book& book,
                              const std::vector<const std::string*>& amounts);
// The columns of those widths centred on a surface `width` twips wide.
AmountColumns placeAmountColumns(const Measured& m, double width);

// The start of a columned drawing: the book's font in black, bold, 10 points
// at the target's scale; the columns measured in that font for `amounts`;
// on the window, the side bands. The widths are measured only when the
// target keeps none.
AmountColumns startAmountColumns(DrawTarget& t, const Book& book,
                                 const std::vector<const std::string*>& amounts);

// The light grey side bands of a window drawing whose left edge lies more
// than 900 twips in.
void drawSideBands(DrawingSurface& s, double left, double height);
