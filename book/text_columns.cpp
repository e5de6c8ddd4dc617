#include "book/text_columns.h"

#include "book/text_encoding.h"

#include <algorithm>

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

} // namespace

std::string padText(const std::string& utf8, int width) {
    int count = 0;
    const std::size_t bytes = prefixOf(utf8, width, count);
    return utf8.substr(0, bytes) + spaces(width - count);
}

std::string rightAlign(const std::string& utf8, int width) {
    const int count = static_cast<int>(encoding::characterCount(utf8));
    return spaces(std::max(width - count, 1)) + utf8;
}
