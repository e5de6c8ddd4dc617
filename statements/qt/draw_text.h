// Small text steps the statement drawings share.
#pragma once

#include "platform/drawing_surface.h"

#include <algorithm>
#include <string>

// The text centred across the surface (from its left edge when wider),
// ending the line.
inline void printCentred(DrawingSurface& s, const std::string& text) {
    s.CurrentX = std::max(0.0, (s.ScaleWidth() - s.TextWidth(text)) / 2);
    s.Print(text);
}

// The text ending at `right`, staying on the line.
inline void printRightAligned(DrawingSurface& s, const std::string& text, double right) {
    s.CurrentX = right - s.TextWidth(text);
    s.PrintInline(text);
}

// The text cut at a character boundary to its longest beginning no wider
// than `width` in the current font (the whole text when it fits).
std::string fittedText(DrawingSurface& s, const std::string& text, double width);
