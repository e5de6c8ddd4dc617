// What a statement drawing needs besides the surface: whether it draws on
// the window (then it records where each account row ends, for hover and
// drill-down) or on paper (then it starts a new page before a line that would
// run past the bottom of the page), and the print zoom.
#pragma once

#include "book/currency.h"
#include "platform/drawing_surface.h"

#include <algorithm>
#include <cmath>
#include <vector>

// An account row drawn on the window: its bottom edge (twips), account and
// height (a line of the font it was drawn in).
struct RowSpot {
    int bottom = 0;
    Currency account;
    int height = 0;
};

// A name keeps at least half an inch when it gives way to the figures,
// however wide they are.
constexpr double NameLeast = 720;

// Widths a drawing measures in its fonts. A window measures them once per
// computation and keeps them until it computes again, while it draws on a
// surface that measures as the one they were taken on; paper measures anew.
struct Measured {
    bool valid = false;
    double probe = 0;     // a line of digits as wide as the surface measured it
    double step = 0;      // the amount columns' step
    double names = 0;     // the name column's width
    double nameWhole = 0; // the room every name and label printed takes whole
    double character = 0; // on paper: the least room they wrap in (narrowestRoom)
    double numbers = 0;   // the trial balance: the widest account number drawn
};

struct DrawTarget {
    DrawingSurface& s;
    bool onWindow = true;
    double scale = 1.0;                   // PrintScale: 1 on the window
    std::vector<RowSpot>* rows = nullptr; // the window's row table, rebuilt by the drawing
    Measured* measured = nullptr;         // the window's kept widths
    // On the window: how far its view is scrolled to the right (twips), and
    // where a drawing that is to be seen whole ends (0: the surface's width).
    double scrollX = 0;
    double viewRight = 0;
    // Set by the drawing: the right edge of the furthest text it laid out,
    // unscrolled; the window's horizontal scroll bar reaches it.
    double drawnRight = 0;

    // The widths `measure()` takes in the surface's present font: the
    // window's kept ones when that font measures as it did when they were
    // taken; otherwise taken now, and kept by a window.
    template <class Measure> Measured widths(Measure measure) {
        const double probe = s.TextWidth("0123456789");
        if (measured && measured->valid && measured->probe == probe) return *measured;
        Measured m = measure();
        m.valid = true;
        m.probe = probe;
        if (measured) *measured = m;
        return m;
    }

    // Notes a text that ends at `x` on the surface.
    void reached(double x) { drawnRight = std::max(drawnRight, x + scrollX); }

    // Hands the lines of a list of `count`, each `height` twips high and each
    // leaving CurrentY that much further down, from CurrentY to draw(i) in
    // turn. On paper every line, with a new page before one that no longer
    // fits. On the window only the lines in view (a line is in view unless it
    // lies wholly above or below it): the first is found by its index and
    // CurrentY moves past the rest, so that a step of the view costs the
    // same however long the list.
    template <class Draw> void eachLine(std::size_t count, double height, Draw draw) {
        if (!onWindow || height <= 0) {
            for (std::size_t i = 0; i < count; ++i) {
                room(height);
                draw(i);
            }
            return;
        }
        const double top = s.CurrentY;
        auto lineTop = [&](std::size_t i) { return top + static_cast<double>(i) * height; };
        // At least this many lie above the view; the loop settles the last.
        const double above = std::floor(-top / height) - 1;
        std::size_t i = above > 0 ? std::min(count, static_cast<std::size_t>(above)) : 0;
        while (i < count && lineTop(i) + height < 0)
            ++i;
        for (; i < count && lineTop(i) <= s.ScaleHeight(); ++i) {
            s.CurrentX = 0;
            s.CurrentY = lineTop(i);
            draw(i);
        }
        s.CurrentX = 0;
        s.CurrentY = lineTop(count);
    }

    // On paper: a new page when a line `height` twips high no longer fits
    // below the current position. The window is one long page.
    void room(double height) {
        if (!onWindow) newPageBeforeFoot(s, height);
    }
    // One text line of the current font, with a page break before it when needed.
    void roomForLine() { room(s.TextHeight("W")); }
    void recordRow(Currency account) {
        if (onWindow && rows)
            rows->push_back({static_cast<int>(s.CurrentY), account,
                             static_cast<int>(std::ceil(s.TextHeight("W")))});
    }
};

// The account row whose own line holds y (both ends open): the row the
// hover label names and a click opens; nullptr on a line without an account
// (a heading, a total, a blank line).
inline const RowSpot* rowAt(const std::vector<RowSpot>& rows, double y) {
    for (const RowSpot& r : rows)
        if (r.bottom - r.height < y && y < r.bottom) return &r;
    return nullptr;
}
