// Columns of characters in plain-text reports: widths count UTF-8
// characters, not bytes (a byte that is not UTF-8 counts as one).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// `text` followed by spaces and cut to `width` characters.
std::string padText(const std::string& utf8, int width);
// `text` in lines of at most `width` characters, every character kept: a
// line breaks at its last blank after a word (the blanks there end it
// unseen), or within a word longer than the width.
std::vector<std::string> wrapText(const std::string& utf8, int width);
// `text` right-aligned in `width` characters with spaces before it, never cut
// and always after at least one space: a longer amount widens its field
// rather than touching the field before it.
std::string rightAlign(const std::string& utf8, int width);

// The right-aligned amount columns of a fixed-width text table. The layout gives
// where each column starts (the characters before a row's first amount hold
// its label) and one width for them all. A column is as wide as the layout
// asks or as its widest figure needs with a blank before it, whichever is
// more; a widened column moves every column after it right by as much, so
// that the figures of a column all end in one place and never reach into the
// next. Fit every figure first, then write the lines.
class FigureColumns {
  public:
    // `starts` in increasing order, each at least `width` after the one before.
    FigureColumns(std::vector<int> starts, int width);
    // Widens `column` as far as `figure` needs.
    void fit(std::size_t column, const std::string& figure);
    // Whether any column is wider than the layout.
    bool widened() const;
    // A row: `label` up to where column `first` starts, then `figures`
    // right-aligned in that column and the ones after it. A label too long
    // for its room goes on in further lines within it, whole; the figures
    // stay on the first.
    std::vector<std::string> lines(const std::string& label, std::size_t first,
                                   const std::vector<std::string>& figures) const;

  private:
    int start(std::size_t column) const;

    std::vector<int> starts_;
    int width_;
    std::vector<int> widths_;
};
