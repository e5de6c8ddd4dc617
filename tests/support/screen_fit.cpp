#include "support/screen_fit.h"

#include <algorithm>

namespace {

// A sliver the recording's rounding may leave where two texts just touch.
constexpr double kSliver = 1.0;

std::vector<const RecordedCall*> textCalls(const std::vector<RecordedCall>& calls) {
    std::vector<const RecordedCall*> texts;
    for (const RecordedCall& c : calls) {
        if (c.kind == RecordedCall::Clear || c.kind == RecordedCall::NewPage) texts.clear();
        if (c.kind != RecordedCall::Text || c.text.find_first_not_of(' ') == std::string::npos)
            continue;
        const bool repeated = std::any_of(texts.begin(), texts.end(), [&](const RecordedCall* t) {
            return t->text == c.text && t->x1 == c.x1 && t->y1 == c.y1;
        });
        if (!repeated) texts.push_back(&c);
    }
    return texts;
}

std::string named(const RecordedCall& c) {
    return RecordingSurface::describe(c) + " to " + std::to_string(static_cast<long>(c.x2)) + "," +
           std::to_string(static_cast<long>(c.y2));
}

} // namespace

std::vector<std::string> overlappingTexts(const std::vector<RecordedCall>& calls) {
    std::vector<const RecordedCall*> texts = textCalls(calls);
    // Sorted by top edge, each text meets only those that start above its bottom.
    std::sort(texts.begin(), texts.end(),
              [](const RecordedCall* a, const RecordedCall* b) { return a->y1 < b->y1; });
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const RecordedCall& a = *texts[i];
        for (std::size_t j = i + 1; j < texts.size() && texts[j]->y1 < a.y2 - kSliver; ++j) {
            const RecordedCall& b = *texts[j];
            const bool across = a.x1 < b.x2 - kSliver && b.x1 < a.x2 - kSliver;
            if (across) faults.push_back(named(a) + " overlaps " + named(b));
        }
    }
    return faults;
}

std::vector<std::string> textsCutAtEdge(const std::vector<RecordedCall>& calls,
                                        const VisibleArea& area) {
    const double right = area.width + area.reachRight;
    std::vector<std::string> faults;
    for (const RecordedCall* t : textCalls(calls)) {
        // Rows below the window are the vertical scroll bar's; a row it cuts
        // at the bottom is whole one step further down.
        if (t->y1 >= area.height) continue;
        if (t->x1 < -kSliver || t->y1 < -kSliver || t->x2 > right + kSliver)
            faults.push_back(named(*t) + " is cut at the edge");
    }
    return faults;
}
