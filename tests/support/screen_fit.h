// Checks on what a window drew through the recording surface, one line per
// fault (empty when sound); and a book of long names and large figures.
#pragma once

#include "book/book.h"
#include "platform/fake/recording_surface.h"

#include <string>
#include <vector>

// The area the window shows, in twips, and how far its scroll bars reach
// beyond it each way (0: no bar, or not scrolled that way).
struct VisibleArea {
    double width = 0, height = 0;
    double reachRight = 0, reachLeft = 0;
    double reachDown = 0, reachUp = 0;
    // The corner between two scroll bars, where nothing scrolls into view
    // (empty when the area has not both).
    struct Box {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };
    Box corner{};
};

// Pairs of texts whose boxes share more than a sliver. A text drawn twice at
// the same place (a shadow, a repaint) counts once.
std::vector<std::string> overlappingTexts(const std::vector<RecordedCall>& calls);

// Texts that start inside the area's height but lie partly beyond what its
// scroll bars reach left, right or above, and texts left showing in the
// corner between its scroll bars (not painted over after).
std::vector<std::string> textsCutAtEdge(const std::vector<RecordedCall>& calls,
                                        const VisibleArea& area);

// Forty-character account names in every class and figures of eleven to
// thirteen digits in every column of every statement, over six months of
// 2025, in `font`.
Book bigFigureBook(const std::string& font = "DejaVu Sans");
