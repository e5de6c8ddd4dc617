#include "book/text_columns.h"

#include "book/text_encoding.h"

#include <algorithm>
#include <utility>

namespace {

// The byte length of the first `width` characters, and how many there are.
std::size_t prefixOf(const std::string& utf8, int width, int& count) {
    std::size_t i = 0;
    count = 0;
    while (i < utf8.size() && count < width) {
        encoding::nextCodePoint(utf8, i);
        ++count;
    }
    return i;
}

std::string spaces(int n) {
    return std::string(static_cast<std::size_t>(std::max(n, 0)), ' ');
}

int characters(const std::string& utf8) {
    return static_cast<int>(encoding::characterCount(utf8));
}

} // namespace

std::string padText(const std::string& utf8, int width) {
    int count = 0;
    const std::size_t bytes = prefixOf(utf8, width, count);
    return utf8.substr(0, bytes) + spaces(width - count);
}

std::string rightAlign(const std::string& utf8, int width) {
    return spaces(std::max(width - characters(utf8), 1)) + utf8;
}

FigureColumns::FigureColumns(std::vector<int> starts, int width)
    : starts_(std::move(starts)), width_(width), widths_(starts_.size(), width) {}

void FigureColumns::fit(std::size_t column, const std::string& figure) {
    if (column < widths_.size())
        widths_[column] = std::max(widths_[column], characters(figure) + 1);
}

bool FigureColumns::widened() const {
    return std::any_of(widths_.begin(), widths_.end(), [&](int w) { return w > width_; });
}

int FigureColumns::start(std::size_t column) const {
    int start = starts_[column];
    for (std::size_t c = 0; c < column; ++c)
        start += widths_[c] - width_;
    return start;
}

std::string FigureColumns::line(const std::string& label, std::size_t first,
                                const std::vector<std::string>& figures) const {
    int at = first < starts_.size() ? start(first) : 0;
    std::string out = padText(label, at);
    for (std::size_t i = 0; i < figures.size() && first + i < starts_.size(); ++i) {
        const std::size_t column = first + i;
        const int begin = start(column);
        out += spaces(begin - at) + rightAlign(figures[i], widths_[column]);
        at = begin + std::max(widths_[column], characters(figures[i]) + 1);
    }
    return out;
}
