#include "statements/qt/draw_columns.h"

#include "book/tmain.h"

#include <algorithm>
#include <cmath>

Measured measureAmountColumns(DrawingSurface& s, const Book& book,
                              const std::vector<const std::string*>& amounts) {
    Measured m;
    double widest = 0;
    for (const std::string* a : amounts)
        widest = std::max(widest, s.TextWidth(*a));
    m.step = std::round(widest + 400);
    const std::string longest = Tmain::LongestAccountName(
        book, [&s](const std::string& name) { return static_cast<int>(s.TextWidth(name)); });
    m.names = std::max(5000.0, std::round(s.TextWidth(longest) + m.step));
    m.valid = true;
    return m;
}

AmountColumns placeAmountColumns(const Measured& m, double width) {
    AmountColumns c;
    c.step = m.step;
    c.names = m.names;
    c.left = std::max(100.0, std::nearbyint((width - (3 * c.step + c.names)) / 2));
    return c;
}

AmountColumns startAmountColumns(DrawTarget& t, const Book& book,
                                 const std::vector<const std::string*>& amounts) {
    DrawingSurface& s = t.s;
    s.FontName = book.FontName.str();
    s.ForeColor = 0;
    s.FontSize = 10 * t.scale;
    s.FontBold = true;
    Measured fresh;
    Measured& m = t.measured ? *t.measured : fresh;
    if (!m.valid) m = measureAmountColumns(s, book, amounts);
    const AmountColumns c = placeAmountColumns(m, s.ScaleWidth());
    if (t.onWindow) drawSideBands(s, c.left, s.ScaleHeight());
    return c;
}

void drawSideBands(DrawingSurface& s, double left, double height) {
    if (left <= 900) return;
    const double w = s.ScaleWidth();
    const double x = s.CurrentX, y = s.CurrentY;
    s.FilledBox(0, 0, left - 800, height, 0xEFEFEF);
    s.FilledBox(w + 800 - left, 0, w, height, 0xEFEFEF);
    s.CurrentX = x;
    s.CurrentY = y;
}
