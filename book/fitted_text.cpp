#include "book/fitted_text.h"

#include "book/text_encoding.h"

#include <vector>

std::string fittedText(DrawingSurface& s, const std::string& text, double width) {
    if (s.TextWidth(text) <= width) return text;
    // The byte ends of the first 1, 2, ... characters; the longest that fits.
    std::vector<std::size_t> ends;
    for (std::size_t i = 0; i < text.size();)
        ends.push_back(i += encoding::characterLength(text, i));
    std::size_t lo = 0, hi = ends.size(); // the first `lo` characters fit
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (s.TextWidth(text.substr(0, ends[mid - 1])) <= width)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo == 0 ? std::string() : text.substr(0, ends[lo - 1]);
}
