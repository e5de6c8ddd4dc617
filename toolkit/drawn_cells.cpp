#include "toolkit/drawn_cells.h"

#include <algorithm>

void DrawnTexts::add(const DrawnCell& cell) {
    texts_[cell.bold ? 1 : 0][cell.column].insert(cell.text);
}

void DrawnTexts::add(const std::vector<DrawnCell>& cells) {
    for (const DrawnCell& cell : cells)
        add(cell);
}

double DrawnTexts::widest(DrawingSurface& s, int column) const {
    const bool kept = s.FontBold;
    double widest = 0;
    for (const bool bold : {false, true}) {
        const auto& texts = texts_[bold ? 1 : 0];
        const auto found = texts.find(column);
        if (found == texts.end()) continue;
        s.FontBold = bold;
        for (const std::string& text : found->second)
            widest = std::max(widest, s.TextWidth(text));
    }
    s.FontBold = kept;
    return widest;
}
