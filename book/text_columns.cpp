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

std::vector<std::string> wrapText(const std::string& utf8, int width) {
    if (width < 1) return {utf8};
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        // As many characters as the width holds, and the last blank after a word.
        std::size_t end = start, breakAt = std::string::npos, resume = 0;
        bool word = false;
        for (int count = 0; end < utf8.size() && count < width; ++count) {
            const std::size_t at = end;
            encoding::nextCodePoint(utf8, end);
            if (utf8[at] != ' ')
                word = true;
            else if (word)
                breakAt = at, resume = end;
        }
        if (end >= utf8.size()) {
            lines.push_back(utf8.substr(start));
            return lines;
        }
        if (utf8[end] == ' ' && word) breakAt = end, resume = end;
        if (breakAt == std::string::npos) breakAt = end, resume = end; // a word past the width
        std::string line = utf8.substr(start, breakAt - start);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        lines.push_back(std::move(line));
        start = resume;
        while (start < utf8.size() && utf8[start] == ' ')
            ++start;
        if (start >= utf8.size()) return lines;
    }
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

std::vector<std::string> FigureColumns::lines(const std::string& label, std::size_t first,
                                              const std::vector<std::string>& figures) const {
    if (first >= starts_.size()) return {label};
    int at = start(first);
    std::vector<std::string> out = wrapText(label, at);
    std::string& line = out.front();
    line = padText(line, at);
    for (std::size_t i = 0; i < figures.size() && first + i < starts_.size(); ++i) {
        const std::size_t column = first + i;
        const int begin = start(column);
        line += spaces(begin - at) + rightAlign(figures[i], widths_[column]);
        at = begin + std::max(widths_[column], characters(figures[i]) + 1);
    }
    return out;
}
