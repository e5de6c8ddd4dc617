// Checks on what a window drew through the recording surface: no two texts
// overlap, and every text lies inside the visible area or beyond a scroll bar
// that reaches it. Each check returns one line per fault, empty when sound.
// And the book the windows are tried on: long names and large figures.
#pragma once

#include "book/book.h"
#include "platform/fake/recording_surface.h"

#include <string>
#include <vector>

// The area the window shows, in the surface's twips; how far its horizontal
// scroll bar reaches right of it (0: none) and, when scrolled, back left of
// it; how far its vertical scroll bar reaches below it and back above it.
struct VisibleArea {
    double width = 0;
    double height = 0;
    double reachRight = 0;
    double reachLeft = 0;
    double reachDown = 0;
    double reachUp = 0;
};

// Pairs of texts whose boxes share more than a sliver. A text drawn twice at
// the same place (a shadow, a repaint) counts once.
std::vector<std::string> overlappingTexts(const std::vector<RecordedCall>& calls);

// Texts that start inside the area's height but lie partly or wholly left or
// right of what its horizontal scroll bar reaches, or above what its vertical
// one reaches.
std::vector<std::string> textsCutAtEdge(const std::vector<RecordedCall>& calls,
                                        const VisibleArea& area);

// A business that keeps its books in a currency of small units, in a font
// this machine has: forty-character account names in every class, and
// figures of eleven to thirteen digits (59,404,255,022.08 and the like) in
// every column of every statement, over six months of 2025.
Book bigFigureBook();
