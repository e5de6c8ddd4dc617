// The column layout of the income statement and the balance sheet: a name
// column as wide as the longest account name plus one amount step, three
// amount columns right-aligned one step apart, the whole centred. On a window
// narrower than that, the names give way to the amounts (cut) down to their
// least width; on paper they wrap within the room they have onto further
// lines, the zoom lowered only where the amounts would not fit beside their
// least (which keeps their words whole) or a heading's word would not fit
// the page. Still wider (only at the lowest zoom), on paper the columns
// continue on further pages, each such strip of columns with the names
// again; on a window the columns run on to the right, where the window's
// horizontal scroll bar reaches them.
#pragma once

#include "book/book.h"
#include "platform/drawing_surface.h"
#include "statements/qt/draw_target.h"
#include "statements/statement_text.h"
#include "toolkit/printout_fit.h"

#include <functional>
#include <string>
#include <vector>

struct StatementLine;

struct AmountColumns {
    static constexpr int Count = 3;
    double step = 0;  // W: the widest amount drawn and two blanks
    double names = 0; // N: the names' room plus one step
    double left = 0;  // X: the left edge, at least 100
    int first = 0;    // the columns first .. end - 1 of the 3 are drawn
    int end = Count;
    double nameRoom = 0; // the widest a name may be drawn
    double page = 0;     // the width the headings are centred across
    double lineRoom = 0; // the widest a label without an amount beside it may be drawn

    bool shows(int column) const { return column >= first && column < end; }
    double right(int column) const { return left + names + (column - first) * step; }
    // A heading centred across the page (on the window, as scrolled).
    void heading(DrawTarget& t, const std::string& text) const;
    // The widest a label with its amount in `column` may be drawn: to where
    // that amount may begin; without one beside it (none, or a column this
    // strip does not show), to the page's margin (on the window, to where the
    // columns end).
    double labelRoom(int column) const;
    // An amount right-aligned in its column (0, 1, 2) when this strip shows it.
    void amount(DrawingSurface& s, const std::string& text, int column) const;
    // A line of its label (below) at the left edge in its room and its
    // amount, in its weight, ending the line: before it a new page where
    // `keep` lines would pass the foot (the label's lines counted), then
    // `before` empty lines. On paper the label wraps onto further lines, the
    // amount on the first; on the window it is cut.
    void line(DrawTarget& t, const StatementLine& line, int keep = 1, int before = 0) const;
};

// A line a columned statement draws where the names stand, in one weight:
// its label, and the amount beside it in `column` (Count: none).
struct StatementLine {
    std::string label;
    int column = AmountColumns::Count;
    const std::string* amount = nullptr;
    bool bold = true;
};
// An account row's line: its name, and its amount in the first column, regular.
StatementLine rowLine(const StatementRow& row);

// A part of a columned statement, top to bottom, as it is both measured and
// drawn: a line (a heading, a total), or where `rows` is set, a list of
// account rows. Before a line: a new page where `keep` lines would pass the
// foot, then `before` empty lines; after it `after` more.
struct StatementPart {
    StatementLine line;
    const std::vector<StatementRow>* rows = nullptr;
    int keep = 1, before = 0, after = 0;
};
// Draws the parts, each account row noted for the window.
void drawStatementParts(DrawTarget& t, const AmountColumns& c,
                        const std::vector<StatementPart>& parts);

// An amount text the drawing writes, in bold (a total) or regular (a row).
struct DrawnAmount {
    const std::string* text;
    bool bold = false;
};

// Measured in the surface's current font, each text in the weight it is
// drawn in. The step is the widest of `amounts` and two bold blanks.
double amountStep(DrawingSurface& s, const std::vector<DrawnAmount>& amounts);
// The columns of the very lines `parts` draws: the step by their amounts;
// the names' room holds each label whole (a label beside an amount in a
// later column also has the steps before it), on the window also the book's
// longest account name, for which the column is made; on paper the least
// room keeps their words whole (narrowestRoom), less those steps. The
// surface's weight is left as it was.
Measured measureAmountColumns(DrawingSurface& s, const Book& book,
                              const std::vector<StatementPart>& parts, bool onPaper);
// The columns of those widths centred on a surface `width` twips wide.
AmountColumns placeAmountColumns(const Measured& m, double width);
// Whether the three amount columns fit on paper `width` twips wide beside
// the names at their least (wrapping).
bool amountColumnsFit(const Measured& m, double width);
// On paper `width` twips wide: one strip of columns per page run, as many
// columns in each as fit beside the names.
std::vector<AmountColumns> paperStrips(const Measured& m, double width);

// The start of a columned drawing: the book's font in black, bold, 10 points
// at the target's scale; the columns measured in that font for `parts`;
// on the window, the side bands, and the columns scrolled. The widths are
// measured unless the target keeps some taken in a font measuring alike. On
// paper the zoom is lowered where the amount columns would not fit, or a
// word of `headings` (centred across the page) would not.
// Returns the strips: one on the window.
std::vector<AmountColumns> startAmountColumns(DrawTarget& t, const Book& book,
                                              const std::vector<StatementPart>& parts,
                                              const std::vector<HeadingText>& headings);
// Draws `once` for each strip, each after the first on a new page; the
// height the last one drew.
double drawStrips(DrawTarget& t, const std::vector<AmountColumns>& strips,
                  const std::function<double(const AmountColumns&)>& once);

// The light grey side bands of a window drawing whose left edge lies more
// than 900 twips in.
void drawSideBands(DrawingSurface& s, double left, double height);
