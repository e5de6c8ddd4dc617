#include "statements/qt/draw_inflows_outflows.h"

#include "book/business_heading.h"
#include "book/tmain.h"
#include "resources/string_table.h"
#include "statements/inflows_outflows_outputs.h"
#include "statements/qt/draw_text.h"
#include "toolkit/drawn_cells.h"
#include "toolkit/printout_fit.h"
#include "toolkit/text_wrap.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double ColumnStep = 1500;
constexpr double LabelIndent = 150;

struct Table {
    DrawTarget& t;
    const FlowLayout& layout;
    double step;
    double width;  // of the surface
    double height; // of a line

    // Right edge of the c-th column shown (0 = the first).
    double right(int c) const { return layout.left + layout.nameColumn + c * step; }
    // On the window, a column wholly out of view is not drawn.
    bool inView(int c) const {
        return !t.onWindow || (right(c) > 0 && right(c) - 2 * step < width);
    }
    // Columns firstPeriod .. count-1 (up to columnsEnd), right-aligned, each
    // text made by textOf(k) as it is drawn.
    template <class TextOf> void columns(std::size_t count, TextOf textOf) {
        const std::size_t end = std::min(count, static_cast<std::size_t>(layout.columnsEnd));
        int c = 0;
        for (std::size_t k = layout.firstPeriod; k < end; ++k, ++c)
            if (inView(c)) printRightAligned(t.s, textOf(k), right(c));
    }
    void columns(const std::vector<std::string>& texts, std::size_t count) {
        columns(std::min(count, texts.size()), [&](std::size_t k) { return texts[k]; });
    }
    void columns(const InflowsOutflows& io, std::span<const Currency> figures, std::size_t count) {
        columns(std::min(count, figures.size()),
                [&](std::size_t k) { return io.text(figures[k]); });
    }
    // A line of the table, `lines` high: its label where the names stand
    // and what `figures` draws beside it, on paper with a new page before it
    // where it would pass the foot, unless it is to stay below the heads. On
    // paper a label wider than the names' room wraps within it onto further
    // lines, the figures on the first.
    void line(const std::string& text, const std::function<void()>& figures, int lines = 1,
              bool belowHeads = false) {
        const double x = layout.left + LabelIndent * t.scale;
        if (t.onWindow || layout.nameRoom <= 0) {
            if (!belowHeads) t.room(height);
            t.s.CurrentX = x;
            t.s.PrintInline(text);
            figures();
            down(lines);
            return;
        }
        bool first = true;
        printWrappedRow(
            t.s, {{text, x, x + layout.nameRoom, t.s.FontBold}},
            [&](int kept) {
                if (!(first && belowHeads)) t.room(kept * height);
                first = false;
            },
            figures);
        down(lines - 1);
    }
    void down(int lines = 1) {
        t.s.CurrentX = 0;
        t.s.CurrentY += height * lines;
    }
};

// The table's lines below its column heads, top to bottom, as both its
// measure and its drawing take them: the label drawn where the names stand
// (a balance's or a total's with a blank after it) and the figures by column
// (none for a list's heading); where `rows` is set, a list's account rows
// instead, each labelled by `flowRowLabel`, regular. Bold but for the rows.
struct FlowPart {
    std::string label;
    const std::vector<Currency>* figures = nullptr;
    const std::vector<FlowRow>* rows = nullptr;
    int linesAfter = 1;
};

std::vector<FlowPart> flowParts(const InflowsOutflows& io) {
    auto labelled = [](int id) { return strings::text(id) + " "; };
    return {{labelled(254), &io.beginning},
            {strings::text(250)},
            {{}, nullptr, &io.inflows},
            {labelled(251), &io.inflowTotals, nullptr, 2},
            {strings::text(252)},
            {{}, nullptr, &io.outflows},
            {labelled(253), &io.outflowTotals, nullptr, 2},
            {labelled(255), &io.ending}};
}

// An account row's label: its name and four blanks.
std::string flowRowLabel(const FlowRow& row) {
    return row.name + "    ";
}

// The width of the widest figure or column head of the table in the current
// font (bold, as the heads), each measured (heads of as many letters differ
// in width); of the figures, those furthest from 0 have the longest texts,
// drawn regular in the rows and bold in the totals.
double widestFigure(DrawingSurface& s, const InflowsOutflows& io) {
    const bool bold = s.FontBold;
    double widest = 0;
    for (const std::string& head : io.columnHeads)
        widest = std::max(widest, s.TextWidth(head));
    for (const bool weight : {false, true}) {
        s.FontBold = weight;
        if (io.ok)
            for (const Currency extreme : {io.highest, io.lowest})
                widest = std::max(widest, s.TextWidth(io.text(extreme)));
    }
    s.FontBold = bold;
    return widest;
}

// The labels drawn where the names stand, each in its weight: those of
// `flowParts` (bold), the account rows' and the longest name's with the
// rows' blanks (regular).
DrawnTexts flowLabels(const InflowsOutflows& io, const std::string& longest) {
    DrawnTexts labels;
    for (const FlowPart& part : flowParts(io)) {
        if (!part.rows)
            labels.add({0, part.label, true});
        else
            for (const FlowRow& row : *part.rows)
                labels.add({0, flowRowLabel(row), false});
    }
    labels.add({0, longest + "    ", false});
    return labels;
}

// The longest name the names' column is made for (regular, as the rows are
// drawn): on the window the book's longest account name, on paper the
// longest of the rows printed.
std::string longestFlowName(DrawingSurface& s, const Book& book, const InflowsOutflows& io,
                            bool onWindow) {
    const bool bold = s.FontBold;
    s.FontBold = false;
    const auto width = [&s](const std::string& name) { return s.TextWidth(name); };
    std::string longest;
    if (onWindow) longest = Tmain::LongestAccountName(book, width);
    for (const std::vector<FlowRow>* rows : {&io.inflows, &io.outflows})
        for (const FlowRow& row : *rows)
            if (!onWindow && width(row.name) > width(longest)) longest = row.name;
    s.FontBold = bold;
    return longest;
}

double flowNameColumn(DrawingSurface& s, const std::string& longest, const InflowsOutflows& io,
                      double step, double scale) {
    const double designed =
        std::nearbyint(s.TextWidth(longest)) + std::max(1650.0 * scale, LabelIndent * scale + step);
    // Every label beside the first column's figures, as drawn, ends before
    // the widest of them begins.
    return std::max(designed, std::ceil(LabelIndent * scale + flowLabels(io, longest).widest(s, 0) +
                                        widestFigure(s, io)));
}

double flowColumnStep(DrawingSurface& s, const InflowsOutflows& io, double scale) {
    const double widest = widestFigure(s, io);
    return widest > 0 ? std::max(ColumnStep * scale, std::ceil(widest + 150 * scale))
                      : ColumnStep * scale;
}

// The least room of the labels on paper, where they wrap: the names' least,
// or the room that keeps their words whole (narrowestRoom).
double flowLabelLeast(DrawingSurface& s, const InflowsOutflows& io) {
    return std::max(NameLeast, flowLabels(io, "").narrowestRoom(s, 0));
}

// On paper `width` twips wide, in the fonts of `zoom` (the surface's
// present font at that zoom): whether one column of figures fits beside the
// labels at their least.
bool flowColumnsFit(DrawingSurface& s, const InflowsOutflows& io, double zoom, double width) {
    return LabelIndent * zoom + flowLabelLeast(s, io) + flowColumnStep(s, io, zoom) <=
           width - PaperMargin;
}

// On paper `width` twips wide at `scale`: `layout` (measured at it) cut
// into strips of columns from its first period to the last of `columns`
// (the Total), each strip with the names again (wrapping where whole they
// would take more than half the page, at least `least` wide), as many
// columns in each as fit.
std::vector<FlowLayout> flowPaperStrips(const FlowLayout& layout, int columns, double scale,
                                        double width, double least) {
    FlowLayout strip = layout;
    const double room = width - layout.left - PaperMargin;
    const double step = layout.step;
    // Labels that would take more than half the page wrap within it, down to
    // their least, so that the figures keep the other half.
    const double widest = std::min(room, std::max(room / 2, LabelIndent * scale + least + step));
    if (strip.nameColumn > widest) {
        strip.nameColumn = std::max(widest, step);
        strip.nameRoom = std::max(0.0, strip.nameColumn - step - LabelIndent * scale);
    }
    const int perStrip =
        std::max(1, static_cast<int>(std::floor((room - strip.nameColumn) / step)) + 1);
    std::vector<FlowLayout> strips;
    for (int first = std::max(0, layout.firstPeriod); first < columns; first += perStrip) {
        strip.firstPeriod = first;
        strip.columnsEnd = std::min(first + perStrip, columns);
        strips.push_back(strip);
    }
    return strips;
}

} // namespace

FlowDrawing drawInflowsOutflows(DrawTarget& t, const InflowsOutflows& io,
                                const FlowLayout& layout) {
    DrawingSurface& s = t.s;
    const double top = s.CurrentY;
    const double h = s.TextHeight("W");
    Table table{t, layout, layout.step, s.ScaleWidth(), h};
    const std::size_t columns = static_cast<std::size_t>(io.periods()) + 1; // periods and Total

    if (t.onWindow) {
        bool grey = true;
        for (double y = top; y <= s.ScaleHeight(); y += h, grey = !grey)
            s.FilledBox(0, y, s.ScaleWidth(), y + h, grey ? 0xF0F0F0 : 0xFFFFFF);
        s.CurrentY = top + 3 * h;
    } else { // the column heads and the first line below them on one page
        s.CurrentY = top + h;
        t.room(2 * h);
    }

    FlowDrawing drawn;
    s.ForeColor = 0x808080;
    table.columns(io.columnHeads, columns);
    const int shown = std::min(static_cast<int>(columns), layout.columnsEnd) - layout.firstPeriod;
    drawn.tableRight = table.right(shown - 1);
    table.down();
    s.ForeColor = 0;

    for (const FlowPart& part : flowParts(io)) {
        if (part.rows) {
            const std::vector<FlowRow>& list = *part.rows;
            s.FontBold = false;
            t.eachLine(list.size(), h, [&](std::size_t i) {
                table.line(flowRowLabel(list[i]),
                           [&] { table.columns(io, list[i].amounts, columns); });
                t.recordRow(list[i].number);
            });
            continue;
        }
        s.FontBold = true;
        table.line(
            part.label,
            [&] {
                if (part.figures) table.columns(io, *part.figures, columns);
            },
            part.linesAfter, part.figures == &io.beginning); // the first stays below the heads
    }
    drawn.foot = s.CurrentY - top;
    return drawn;
}

void useFlowFont(DrawingSurface& s, const Book& book, double scale) {
    s.FontName = book.FontName.str();
    s.FontSize = FlowPoints * scale;
    s.FontBold = true;
}

Measured measureFlowTable(DrawTarget& t, const Book& book, const InflowsOutflows& io) {
    return t.widths([&] {
        Measured m;
        m.step = flowColumnStep(t.s, io, t.scale);
        m.names =
            flowNameColumn(t.s, longestFlowName(t.s, book, io, t.onWindow), io, m.step, t.scale);
        return m;
    });
}

void printInflowsOutflows(DrawTarget& paper, const Book& book, const InflowsOutflows& io,
                          int firstPeriod) {
    DrawingSurface& s = paper.s;
    useFlowFont(s, book, paper.scale);
    const std::string heading =
        businessHeading(book.BusinessName.str(), ", ", "Cash Flow Position") +
        cashAccountNote(io, book);
    // At a zoom at which the figures and the heading's words fit the page;
    // the heading wraps.
    const double headingRight = s.ScaleWidth() - PaperMargin;
    paper.scale = fittingFontZoom(s, FlowPoints, paper.scale, [&](double zoom) {
        return flowColumnsFit(s, io, zoom, s.ScaleWidth()) &&
               headingsFit(s, {{{heading}, FlowPoints, true, headingRight - LabelIndent * zoom}},
                           zoom);
    });
    const Measured m = measureFlowTable(paper, book, io);
    const FlowLayout whole{0, m.names, m.step, firstPeriod};
    // Columns wider than the page continue on further pages.
    const std::vector<FlowLayout> strips = flowPaperStrips(whole, io.periods() + 1, paper.scale,
                                                           s.ScaleWidth(), flowLabelLeast(s, io));
    for (std::size_t i = 0; i < strips.size(); ++i) {
        if (i > 0) s.NewPage();
        useFlowFont(s, book, paper.scale);
        s.Print("");
        printWithin(s, heading, LabelIndent * paper.scale, headingRight, LineAlign::Left);
        drawInflowsOutflows(paper, io, strips[i]);
    }
}
