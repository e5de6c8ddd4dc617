#include "toolkit/table_columns.h"

#include "book/text_encoding.h"

#include <algorithm>

std::vector<TableColumn> designedColumns(const std::vector<double>& designs) {
    std::vector<TableColumn> columns(designs.size());
    for (std::size_t c = 0; c < designs.size(); ++c)
        columns[c].design = designs[c];
    return columns;
}

double placeTableColumns(std::vector<TableColumn>& columns, double start, double room) {
    double designs = 0; // the designs' sum
    double total = 0;   // the width with figures whole and names as designed
    for (TableColumn& c : columns) {
        designs += c.design;
        c.width = std::max(c.design, c.name ? c.least : c.need);
        total += c.width;
    }
    // What the names give, shared by their designs; what one cannot give
    // below its least width the others give, while any can.
    double over = std::max(total - (room < 0 ? designs : room), 0.0);
    for (bool clamped = true; over > 0 && clamped;) {
        double share = 0; // the designs of the names still giving
        for (const TableColumn& c : columns)
            if (c.name && c.width > c.least) share += c.design;
        if (share <= 0) break;
        clamped = false;
        double given = 0;
        for (TableColumn& c : columns) {
            if (!c.name || c.width <= c.least) continue;
            const double wanted = over * c.design / share;
            const double gives = std::min(wanted, c.width - c.least);
            clamped = clamped || gives < wanted;
            // Never below its least, not by a rounding either: a name measured
            // to fit it is printed whole.
            c.width = std::max(c.least, c.width - gives);
            given += gives;
        }
        over -= given;
    }
    double x = start;
    for (TableColumn& c : columns) {
        c.left = x;
        x += c.width;
    }
    return x;
}

double leastTableWidth(const std::vector<TableColumn>& columns) {
    double width = 0;
    for (const TableColumn& c : columns)
        width += c.name ? c.least : std::max(c.design, c.need);
    return width;
}

double widestTextWidth(DrawingSurface& s, const std::vector<std::string>& texts) {
    double widest = 0;
    for (const std::string& t : texts)
        widest = std::max(widest, s.TextWidth(t));
    return widest;
}

std::string cutToWidth(DrawingSurface& s, const std::string& text, double width) {
    if (s.TextWidth(text) <= width) return text;
    // Where each character ends; a longer beginning is never narrower.
    std::vector<std::size_t> ends;
    for (std::size_t n = 0; n < text.size();) {
        n += encoding::characterLength(text, n);
        ends.push_back(n);
    }
    std::size_t low = 0, high = ends.size(); // ends[0..low) fit, ends[high..) do not
    while (low < high) {
        const std::size_t mid = (low + high) / 2;
        if (s.TextWidth(text.substr(0, ends[mid])) <= width)
            low = mid + 1;
        else
            high = mid;
    }
    return low == 0 ? std::string() : text.substr(0, ends[low - 1]);
}
