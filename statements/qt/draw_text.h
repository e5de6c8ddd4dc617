// Small text steps the statement drawings share.
#pragma once

#include "platform/drawing_surface.h"
#include "statements/qt/draw_target.h"
#include "toolkit/text_wrap.h"

#include <algorithm>
#include <string>

// Twips kept clear at either side of a printed statement's page.
inline constexpr double PaperMargin = 100;

// The text centred across `width` twips from `left` (from `left` when
// wider), ending the line; returns where the text ends.
inline double printCentred(DrawingSurface& s, const std::string& text, double left, double width) {
    const double textWidth = s.TextWidth(text);
    s.CurrentX = left + std::max(0.0, (width - textWidth) / 2);
    const double right = s.CurrentX + textWidth;
    s.Print(text);
    return right;
}

// A heading of a drawing `width` twips wide, centred across it: on paper the
// page, on the window the drawing as scrolled (its right end noted). On paper
// a heading wider than the page even at the lowest zoom goes on in lines
// below, as every printout's headings do.
inline void printHeading(DrawTarget& t, const std::string& text, double width) {
    if (t.onWindow)
        t.reached(printCentred(t.s, text, -t.scrollX, width));
    else
        printWithin(t.s, text, 0, width, LineAlign::Centre);
}

// The text ending at `right`, staying on the line.
inline void printRightAligned(DrawingSurface& s, const std::string& text, double right) {
    s.CurrentX = right - s.TextWidth(text);
    s.PrintInline(text);
}
