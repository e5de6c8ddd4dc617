#include "toolkit/drawn_cells.h"

#include "toolkit/text_wrap.h"

#include <algorithm>

void DrawnTexts::add(const DrawnCell& cell) {
    texts_[cell.bold ? 1 : 0][cell.column].insert(cell.text);
}

void DrawnTexts::add(const std::vector<DrawnCell>& cells) {
    for (const DrawnCell& cell : cells)
        add(cell);
}

double
DrawnTexts::widestOf(DrawingSurface& s, int column,
                     const std::function<double(const std::set<std::string>&)>& measure) const {
    const bool kept = s.FontBold;
    double widest = 0;
    for (const bool bold : {false, true}) {
        const auto& texts = texts_[bold ? 1 : 0];
        const auto found = texts.find(column);
        if (found == texts.end()) continue;
        s.FontBold = bold;
        widest = std::max(widest, measure(found->second));
    }
    s.FontBold = kept;
    return widest;
}

double DrawnTexts::widest(DrawingSurface& s, int column) const {
    return widestOf(s, column, [&s](const std::set<std::string>& texts) {
        double widest = 0;
        for (const std::string& text : texts)
            widest = std::max(widest, s.TextWidth(text));
        return widest;
    });
}

double DrawnTexts::narrowestRoom(DrawingSurface& s, int column) const {
    return widestOf(s, column, [&s](const std::set<std::string>& texts) {
        return ::narrowestRoom(s, {texts.begin(), texts.end()});
    });
}
