#include "toolkit/printout_fit.h"

#include "toolkit/print_setup.h"
#include "toolkit/text_wrap.h"

#include <algorithm>
#include <cmath>

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
                       const std::function<bool(double zoom)>& fits) {
    const double zoom = fittingZoom(asked, [&](double tried) {
        s.FontSize = points * tried;
        return fits(tried);
    });
    s.FontSize = points * zoom;
    return zoom;
}

bool headingsFit(DrawingSurface& s, const std::vector<HeadingText>& headings, double zoom) {
    const SurfaceFont kept = s.font();
    const bool fit = std::ranges::all_of(headings, [&](const HeadingText& h) {
        s.setFont({kept.name, h.points * zoom, h.bold, h.italic, false});
        return narrowestRoom(s, h.texts) <= h.room;
    });
    s.setFont(kept);
    return fit;
}

void wrapsOnPaper(TableColumn& column, double whole, double narrowest) {
    column.name = true;
    column.whole = whole;
    column.least = std::max(column.least, narrowest);
}

double placeOnPaper(std::vector<TableColumn>& columns, double start, double room) {
    std::vector<TableColumn> whole = columns;
    for (TableColumn& c : whole)
        if (c.name) c.least = std::max(c.least, c.whole);
    if (leastTableWidth(whole) <= room) columns = std::move(whole);
    return placeTableColumns(columns, start, room);
}

bool figuresFit(const std::vector<TableColumn>& columns, double room) {
    return leastTableWidth(columns) <= room;
}

namespace {

// What shows that a name goes on beyond what is shown.
const std::string ShortenedMark = "\xE2\x80\xA6";

} // namespace

std::string printedName(DrawingSurface& s, const std::string& name, double room) {
    if (s.TextWidth(name) <= room) return name;
    return cutToWidth(s, name, room - s.TextWidth(ShortenedMark)) + ShortenedMark;
}
