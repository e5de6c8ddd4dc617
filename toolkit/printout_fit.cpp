#include "toolkit/printout_fit.h"

#include "toolkit/print_setup.h"

#include <algorithm>
#include <cmath>

bool headingsFit(DrawingSurface& s, const std::vector<PrintedHeading>& headings, double zoom) {
    const SurfaceFont kept = s.font();
    bool fit = true;
    for (const PrintedHeading& h : headings) {
        s.FontSize = h.points * zoom + h.extraPoints;
        s.FontBold = h.bold;
        fit = fit && h.left + s.TextWidth(h.text) <= s.ScaleWidth();
    }
    s.setFont(kept);
    return fit;
}

double fittingZoom(double asked, const std::function<bool(double zoom)>& fits) {
    asked = std::min(asked, ZoomCeiling / 100.0);
    const double floor = std::min(asked, ZoomFloor / 100.0);
    if (asked <= floor || fits(asked)) return asked;
    // Whole thousandths, so that every larger zoom asked gives the same one.
    // The figures widen with the zoom: `low` is the largest known to fit (or
    // the floor), `high` the smallest known not to.
    constexpr double Grain = 1000;
    long low = static_cast<long>(std::ceil(floor * Grain));
    long high = static_cast<long>(std::ceil(asked * Grain));
    if (!fits(low / Grain)) return floor;
    while (high - low > 1) {
        const long mid = low + (high - low) / 2;
        (fits(mid / Grain) ? low : high) = mid;
    }
    return low / Grain;
}

double fittingFontZoom(DrawingSurface& s, double points, double asked,
                       const std::function<bool(double zoom)>& fits,
                       const std::vector<PrintedHeading>& headings) {
    const double zoom = fittingZoom(asked, [&](double tried) {
        s.FontSize = points * tried;
        return headingsFit(s, headings, tried) && fits(tried);
    });
    s.FontSize = points * zoom;
    return zoom;
}

namespace {

void raiseNamesToWhole(std::vector<TableColumn>& columns) {
    for (TableColumn& c : columns)
        if (c.name) c.least = std::max(c.least, c.whole);
}

// What shows that a name goes on beyond what is printed.
const std::string ShortenedMark = "\xE2\x80\xA6";

} // namespace

bool tableFitsNamesWhole(std::vector<TableColumn> columns, double room) {
    raiseNamesToWhole(columns);
    return leastTableWidth(columns) <= room;
}

void keepNamesWhole(std::vector<TableColumn>& columns, double room) {
    if (tableFitsNamesWhole(columns, room)) raiseNamesToWhole(columns);
}

std::string printedName(DrawingSurface& s, const std::string& name, double room) {
    if (s.TextWidth(name) <= room) return name;
    return cutToWidth(s, name, room - s.TextWidth(ShortenedMark)) + ShortenedMark;
}
