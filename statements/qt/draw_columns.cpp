#include "statements/qt/draw_columns.h"

#include "book/tmain.h"
#include "statements/qt/draw_text.h"
#include "toolkit/printout_fit.h"
#include "toolkit/table_columns.h"

#include <algorithm>
#include <cmath>

double amountStep(DrawingSurface& s, const std::vector<DrawnAmount>& amounts) {
    const bool bold = s.FontBold;
    double widest = 0;
    for (const DrawnAmount& a : amounts) {
        s.FontBold = a.bold;
        widest = std::max(widest, s.TextWidth(*a.text));
    }
    s.FontBold = true;
    const double step = std::round(widest + s.TextWidth("  "));
    s.FontBold = bold;
    return step;
}

Measured measureAmountColumns(DrawingSurface& s, const Book& book,
                              const std::vector<StatementPart>& parts, bool onPaper) {
    const bool bold = s.FontBold;
    std::vector<StatementLine> lines; // every line the parts draw
    for (const StatementPart& part : parts) {
        if (!part.rows)
            lines.push_back(part.line);
        else
            for (const StatementRow& row : *part.rows)
                lines.push_back(rowLine(row));
    }
    std::vector<DrawnAmount> amounts;
    for (const StatementLine& line : lines)
        if (line.amount) amounts.push_back({line.amount, line.bold});
    Measured m;
    m.step = amountStep(s, amounts);
    for (const StatementLine& line : lines) {
        s.FontBold = line.bold;
        // In whole twips, as the step is: the steps the drawing adds back
        // give the label all of its width.
        const double steps = std::min(line.column, AmountColumns::Count) * m.step;
        m.nameWhole = std::max(m.nameWhole, std::ceil(s.TextWidth(line.label)) - steps);
        // On paper the labels wrap in a room that keeps their words whole.
        if (onPaper) m.character = std::max(m.character, narrowestRoom(s, {line.label}) - steps);
    }
    if (!onPaper) { // the names' column is made for the book's longest name, in the rows' weight
        s.FontBold = false;
        const std::string longest = Tmain::LongestAccountName(
            book, [&s](const std::string& name) { return s.TextWidth(name); });
        m.nameWhole = std::max(m.nameWhole, s.TextWidth(longest));
    }
    s.FontBold = bold;
    m.names = std::max(5000.0, std::ceil(m.nameWhole + m.step));
    return m;
}

namespace {

// The name column and the three amount columns, as both the fit and the
// placing take them.
std::vector<TableColumn> amountTable(const Measured& m) {
    std::vector<TableColumn> columns(1 + AmountColumns::Count, TableColumn{m.step, m.step});
    columns[0] = {m.names - m.step, 0, true, std::max(NameLeast, m.character)};
    return columns;
}

void centre(AmountColumns& c, double width) {
    c.left =
        std::max(PaperMargin, std::nearbyint((width - ((c.end - c.first) * c.step + c.names)) / 2));
}

} // namespace

AmountColumns placeAmountColumns(const Measured& m, double width) {
    AmountColumns c;
    c.step = m.step;
    c.page = width;
    // The names as the longest wants them while there is room, else giving
    // way to the amounts down to their least width.
    std::vector<TableColumn> columns = amountTable(m);
    placeTableColumns(columns, 0, width - 2 * PaperMargin);
    c.nameRoom = columns[0].width;
    c.names = c.nameRoom + c.step;
    centre(c, width);
    c.lineRoom = c.nameRoom + c.Count * c.step;
    return c;
}

bool amountColumnsFit(const Measured& m, double width) {
    return figuresFit(amountTable(m), width - 2 * PaperMargin);
}

std::vector<AmountColumns> paperStrips(const Measured& m, double width) {
    AmountColumns c = placeAmountColumns(m, width);
    // A strip of k columns needs the names and k - 1 steps between the margins.
    const double room = width - 2 * PaperMargin;
    if (c.names > room) {
        c.names = std::max(room, c.step);
        c.nameRoom = std::max(0.0, c.names - c.step);
    }
    const int perStrip = std::clamp(static_cast<int>(std::floor((room - c.names) / c.step)) + 1, 1,
                                    AmountColumns::Count);
    std::vector<AmountColumns> strips;
    for (int first = 0; first < AmountColumns::Count; first += perStrip) {
        c.first = first;
        c.end = std::min(first + perStrip, AmountColumns::Count);
        centre(c, width);
        c.lineRoom = width - PaperMargin - c.left;
        strips.push_back(c);
    }
    return strips;
}

double AmountColumns::labelRoom(int column) const {
    return shows(column) ? nameRoom + (column - first) * step : lineRoom;
}

void AmountColumns::amount(DrawingSurface& s, const std::string& text, int column) const {
    if (shows(column)) printRightAligned(s, text, right(column));
}

void AmountColumns::line(DrawTarget& t, const StatementLine& line, int keep, int before) const {
    DrawingSurface& s = t.s;
    s.FontBold = line.bold;
    const double height = s.TextHeight("W");
    const double room = labelRoom(line.column);
    auto blanks = [&] {
        for (int blank = 0; blank < before; ++blank)
            s.Print("");
    };
    auto drawAmount = [&] {
        if (line.amount) amount(s, *line.amount, line.column);
    };
    if (t.onWindow) { // a label longer than its room is cut, on paper it wraps
        t.room(keep * height);
        blanks();
        s.CurrentX = left;
        s.PrintInline(printedName(s, line.label, room));
        drawAmount();
        s.Print("");
        return;
    }
    bool first = true;
    printWrappedRow(
        s, {{line.label, left, left + room, line.bold}},
        [&](int lines) {
            t.room((first ? keep - 1 + lines : lines) * height);
            if (first) blanks();
            first = false;
        },
        drawAmount);
}

StatementLine rowLine(const StatementRow& row) {
    return {row.name, 0, &row.amountText, false};
}

void drawStatementParts(DrawTarget& t, const AmountColumns& c,
                        const std::vector<StatementPart>& parts) {
    DrawingSurface& s = t.s;
    for (const StatementPart& part : parts) {
        if (part.rows) {
            const std::vector<StatementRow>& rows = *part.rows;
            s.FontBold = false;
            t.eachLine(rows.size(), s.TextHeight("W"), [&](std::size_t i) {
                c.line(t, rowLine(rows[i]));
                t.recordRow(rows[i].number);
            });
            continue;
        }
        c.line(t, part.line, part.keep, part.before);
        for (int blank = 0; blank < part.after; ++blank)
            s.Print("");
    }
}

void AmountColumns::heading(DrawTarget& t, const std::string& text) const {
    printHeading(t, text, page);
}

double drawStrips(DrawTarget& t, const std::vector<AmountColumns>& strips,
                  const std::function<double(const AmountColumns&)>& once) {
    double height = 0;
    for (std::size_t i = 0; i < strips.size(); ++i) {
        if (i > 0) {
            t.s.NewPage();
            t.s.CurrentY = 0;
        }
        height = once(strips[i]);
    }
    return height;
}

std::vector<AmountColumns> startAmountColumns(DrawTarget& t, const Book& book,
                                              const std::vector<StatementPart>& parts,
                                              const std::vector<HeadingText>& headings) {
    DrawingSurface& s = t.s;
    s.FontName = book.FontName.str();
    s.ForeColor = 0;
    s.FontSize = 10 * t.scale;
    s.FontBold = true;
    if (!t.onWindow) { // on paper, at a zoom at which the figures fit
        t.scale = fittingFontZoom(s, 10, t.scale, [&](double zoom) {
            return amountColumnsFit(measureAmountColumns(s, book, parts, true), s.ScaleWidth()) &&
                   headingsFit(s, headings, zoom);
        });
    }
    const Measured m = t.widths([&] { return measureAmountColumns(s, book, parts, !t.onWindow); });
    if (!t.onWindow) return paperStrips(m, s.ScaleWidth());
    // Laid out for the view, its right margin short of where it ends.
    AmountColumns c =
        placeAmountColumns(m, t.viewRight > 0 ? t.viewRight + PaperMargin : s.ScaleWidth());
    drawSideBands(s, c.left, s.ScaleHeight());
    // Wider than the window: the columns run on to the right, the headings
    // centred across them, the whole as scrolled.
    const double last = c.right(c.end - 1);
    c.page = std::max(c.page, last + PaperMargin);
    c.left -= t.scrollX;
    t.reached(c.right(c.end - 1));
    return {c};
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
