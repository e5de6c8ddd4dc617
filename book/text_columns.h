// Columns of characters in plain-text reports: widths count UTF-8
// characters, not bytes (a byte that is not UTF-8 counts as one).
#pragma once

#include <string>

// `text` followed by spaces and cut to `width` characters.
std::string padText(const std::string& utf8, int width);
// `text` right-aligned in `width` characters with spaces before it, never cut
// and always after at least one space: a longer amount widens its field
// rather than touching the field before it.
std::string rightAlign(const std::string& utf8, int width);
