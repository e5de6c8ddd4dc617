#include "statements/qt/draw_trial_balance.h"

#include "resources/string_table.h"
#include "statements/qt/draw_columns.h"
#include "statements/qt/draw_text.h"
#include "toolkit/printout_fit.h"
#include "toolkit/table_columns.h"

#include <algorithm>
#include <vector>

namespace {

constexpr RgbColor HeadingFill = 0xE0E0E0;
constexpr RgbColor BandFill = 0xF0F0F0;
constexpr RgbColor Red = 0x0000FF;

} // namespace

namespace {

// Where the two amount columns stand: as fractions of the width, widened
// for figures wider than their heading boxes, the names giving way down to
// their least width (on the window cut at the debit column, on paper
// wrapping onto further lines of their row). On the window the statement
// grows wider than the window when even that does not make room (the
// horizontal scroll bar reaches it). On paper a name is whole while the page
// has room for it, and a statement whose figures do not fit the page even
// at the lowest zoom goes on one column to a strip of pages.
struct TrialColumns {
    double accountsRight = 0; // the Accounts heading box's right edge
    double debitRight = 0, creditRight = 0;
    double box = 0; // an amount heading box's width
    bool debit = true, credit = true;
    double nameRoom = 0; // the widest a name may be drawn
    double nameX = 0;    // the name column's left edge
};

// The widest account number drawn (regular) and the amount step of the
// figures (the rows regular, the totals bold, as they are drawn), of the
// rows the statement draws.
Measured trialWidths(DrawingSurface& s, const TrialBalance& tb) {
    Measured m;
    std::vector<DrawnAmount> amounts{{&tb.debitTotalText, true}, {&tb.creditTotalText, true}};
    for (const std::size_t shown : tb.shownRows) {
        const TrialBalanceRow& row = tb.rows[shown];
        m.numbers = std::max(m.numbers, s.TextWidth(row.numberText));
        amounts.push_back({&row.amountText});
    }
    m.step = amountStep(s, amounts);
    return m;
}

// The columns before they are placed, measured in the present font: the name
// column up to the debit box, the debit box, the credit column; and on
// paper the room they have.
struct TrialTable {
    TrialColumns c;
    std::vector<TableColumn> columns;
    double room = -1;
    double headingLeast = 0; // the names' least for the Accounts heading to stay whole
};

TrialTable trialTable(DrawTarget& t, const TrialBalance& tb) {
    DrawingSurface& s = t.s;
    const Measured m = t.widths([&] { return trialWidths(s, tb); });
    const double w = s.ScaleWidth();
    const double margin = 0.02 * w;
    TrialTable table;
    TrialColumns& c = table.c;
    // The names start where the layout puts them, or further right when the
    // widest account number would reach into them.
    c.nameX = std::max(0.116 * w, margin + m.numbers + s.TextWidth("  "));
    // The heading boxes hold their bold headings whole, a blank to spare:
    // the Accounts box reaches from the numbers' left to a margin short of
    // the names' right.
    s.FontBold = true;
    const double blank = s.TextWidth("  ");
    table.headingLeast =
        std::max(0.0, s.TextWidth(strings::text(156)) + blank + margin - (c.nameX - margin));
    c.box = std::max({0.16 * w, m.step, s.TextWidth(strings::text(162)) + blank,
                      s.TextWidth(strings::text(163)) + blank});
    s.FontBold = false;
    table.columns = {{0.6 * w - c.nameX, 0, true, std::max(NameLeast, table.headingLeast)},
                     {0.16 * w, c.box},
                     {0.18 * w, c.box + margin}};
    if (!t.onWindow) { // the names of the rows printed, wrapping where they must
        std::vector<std::string> names;
        for (const std::size_t shown : tb.shownRows)
            names.push_back(tb.rows[shown].name);
        // The column made for the widest, a blank to spare, the figures
        // moving right for it.
        const double widest = widestTextWidth(s, names);
        TableColumn& column = table.columns[0];
        column.design = std::max(column.design, widest + s.TextWidth("  "));
        wrapsOnPaper(column, widest, narrowestRoom(s, names));
        table.room = 0.98 * w - c.nameX;
    }
    return table;
}

// On paper: whether the figures fit beside the names at their least. The
// fit and the drawing take this one measure.
bool trialFits(const TrialTable& table) {
    return figuresFit(table.columns, table.room);
}

// The heading under the business's name.
std::string trialHeading(const TrialBalance& tb) {
    return strings::text(167) + " " + tb.dateText;
}

std::vector<TrialColumns> trialColumns(DrawTarget& t, const TrialBalance& tb) {
    const double w = t.s.ScaleWidth();
    const double margin = 0.02 * w;
    TrialTable table = trialTable(t, tb);
    TrialColumns& c = table.c;
    std::vector<TableColumn>& columns = table.columns;
    const bool fits = t.onWindow || trialFits(table);
    if (t.onWindow)
        placeTableColumns(columns, c.nameX, table.room);
    else
        placeOnPaper(columns, c.nameX, table.room);
    c.nameRoom = columns[0].width;
    c.debitRight = columns[1].right();
    c.creditRight = columns[2].right();
    c.accountsRight = c.debitRight - c.box - margin;
    if (fits) return {c};
    // One column to a strip.
    c.creditRight = c.debitRight;
    TrialColumns debitOnly = c, creditOnly = c;
    debitOnly.credit = false;
    creditOnly.debit = false;
    return {debitOnly, creditOnly};
}

double drawTrialStrip(DrawTarget& t, const Book& book, const TrialBalance& tb,
                      const TrialColumns& c);

} // namespace

double drawTrialBalance(DrawTarget& t, const Book& book, const TrialBalance& tb) {
    DrawingSurface& s = t.s;
    s.FontName = book.FontName.str();
    s.FontBold = false;
    s.FontSize = 10 * t.scale;
    if (!t.onWindow) { // on paper, at a zoom at which the figures and the headings' words fit
        const double w = s.ScaleWidth();
        const std::vector<HeadingText> headings = {{{book.BusinessName.str()}, 12, true, w},
                                                   {{trialHeading(tb)}, 10, true, w}};
        t.scale = fittingFontZoom(s, 10, t.scale, [&](double zoom) {
            return trialFits(trialTable(t, tb)) && headingsFit(s, headings, zoom);
        });
    }
    const std::vector<TrialColumns> strips = trialColumns(t, tb);
    double height = 0;
    for (std::size_t i = 0; i < strips.size(); ++i) {
        if (i > 0) {
            s.NewPage();
            s.CurrentY = 0;
        }
        height = drawTrialStrip(t, book, tb, strips[i]);
    }
    return height;
}

namespace {

double drawTrialStrip(DrawTarget& t, const Book& book, const TrialBalance& tb,
                      const TrialColumns& c) {
    DrawingSurface& s = t.s;
    const double top = s.CurrentY;
    const double w = s.ScaleWidth();
    const double pixel = TwipsPerScreenPixel;
    // On the window the statement is drawn scrolled, as wide as its columns.
    const double x0 = -t.scrollX;
    const double page = t.onWindow ? std::max(w, c.creditRight + 0.06 * w) : w;
    const double bandRight = t.onWindow ? c.creditRight : std::max(c.creditRight, 0.94 * w);
    s.FontName = book.FontName.str();
    s.ForeColor = 0;
    s.FontBold = true;
    s.Print("");
    s.FontSize = 12 * t.scale;
    if (t.onWindow) {
        s.Print("");
        s.Print("");
    }
    printHeading(t, book.BusinessName.str(), page);
    s.FontSize = 10 * t.scale;
    s.Print("");
    s.FontUnderline = true;
    printHeading(t, trialHeading(tb), page);
    s.FontUnderline = false;
    s.Print("");

    // Heading boxes.
    t.room(300 * t.scale + s.TextHeight("W"));
    const double headTop = s.CurrentY;
    auto box = [&](double left, double right) {
        s.FilledBox(x0 + left, headTop - 4 * pixel, x0 + right, headTop + 300 * t.scale,
                    HeadingFill);
        s.Box(x0 + left, headTop - 4 * pixel, x0 + right, headTop + 300 * t.scale, 0);
    };
    box(0.02 * w, c.accountsRight);
    if (c.debit) box(c.debitRight - c.box, c.debitRight);
    if (c.credit) box(c.creditRight - c.box, c.creditRight);
    s.CurrentY = headTop;
    const std::string accounts = strings::text(156), debit = strings::text(162),
                      credit = strings::text(163);
    s.CurrentX = x0 + (c.accountsRight - s.TextWidth(accounts)) / 2 + 0.02 * w;
    s.PrintInline(accounts);
    if (c.debit) {
        s.CurrentX = x0 + c.debitRight - (c.box + s.TextWidth(debit)) / 2;
        s.PrintInline(debit);
    }
    if (c.credit) {
        s.CurrentX = x0 + c.creditRight - (c.box + s.TextWidth(credit)) / 2;
        s.PrintInline(credit);
    }
    s.Print("");
    s.Print("");
    s.FontBold = false;

    const double lineHeight = s.TextHeight("W");
    t.eachLine(tb.shownRows.size(), lineHeight, [&](std::size_t j) {
        const TrialBalanceRow& row = tb.rows[tb.shownRows[j]];
        auto band = [&](std::size_t) {
            if (j % 2 != 0) return; // every other row stands on a band
            const double y = s.CurrentY;
            s.FilledBox(x0 + 0.02 * w, y, x0 + bandRight, y + lineHeight, BandFill);
            s.CurrentY = y;
        };
        if (row.number == Currency::fromUnits(1)) s.ForeColor = Red;
        auto number = [&] {
            s.CurrentX = x0 + 0.02 * w;
            s.PrintInline(row.numberText);
        };
        auto amount = [&] {
            if (row.isDebit() ? c.debit : c.credit)
                printRightAligned(s, row.amountText,
                                  x0 + (row.isDebit() ? c.debitRight : c.creditRight));
        };
        if (t.onWindow) {
            band(0);
            number();
            s.CurrentX = x0 + c.nameX;
            s.PrintInline(printedName(s, row.name, c.nameRoom));
            amount();
            s.Print("");
        } else { // the name wrapped in its room, on bands of each of its lines
            printWrappedRow(
                s, {{row.name, x0 + c.nameX, x0 + c.nameX + c.nameRoom}},
                [&](int lines) { t.room(lines * lineHeight); },
                [&] {
                    number();
                    amount();
                },
                band);
        }
        t.recordRow(row.number);
        s.ForeColor = 0;
    });

    t.room(2 * s.TextHeight("W"));
    s.Print("");
    s.CurrentX = x0 + 20 * pixel;
    s.FontBold = true;
    s.PrintInline(strings::text(164));
    if (c.debit) printRightAligned(s, tb.debitTotalText, x0 + c.debitRight);
    if (c.credit) printRightAligned(s, tb.creditTotalText, x0 + c.creditRight);
    s.Print("");
    t.reached(x0 + c.creditRight);
    return s.CurrentY + 400 - top;
}

} // namespace
