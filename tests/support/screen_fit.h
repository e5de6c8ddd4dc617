// Checks on what a window drew through the recording surface: no two texts
// overlap, and every text lies inside the visible area or beyond a scroll bar
// that reaches it. Each check returns one line per fault, empty when sound.
#pragma once

#include "platform/fake/recording_surface.h"

#include <string>
#include <vector>

// The area the window shows, in the surface's twips, and how far its
// horizontal scroll bar reaches right of it (0: none).
struct VisibleArea {
    double width = 0;
    double height = 0;
    double reachRight = 0;
};

// Pairs of texts whose boxes share more than a sliver. A text drawn twice at
// the same place (a shadow, a repaint) counts once.
std::vector<std::string> overlappingTexts(const std::vector<RecordedCall>& calls);

// Texts that start inside the area's height but lie partly or wholly left of
// it, above it, or right of what its horizontal scroll bar reaches.
std::vector<std::string> textsCutAtEdge(const std::vector<RecordedCall>& calls,
                                        const VisibleArea& area);
