// The pitch of rows of text set a fixed distance apart, on a window or on
// paper: the design's, or the height of the font's line when that is taller,
// so that a taller font moves the rows apart rather than over each other.
#pragma once

#include <algorithm>
#include <cmath>

// `design` and `lineHeight` in one unit; the result in whole units.
inline double rowPitchFor(double design, double lineHeight) {
    return std::max(design, std::ceil(lineHeight));
}
