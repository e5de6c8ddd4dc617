// Where journal entries begin and end. An entry is a run of lines ending at
// the first line whose note holds more than blanks (closesEntry); a journal
// whose last entry is still open ends that entry at its last line.
#pragma once

#include "book/book.h"

#include <cstdint>
#include <vector>

// First and last journal line of an entry.
struct EntryBounds {
    std::int32_t first = 0;
    std::int32_t last = 0;
    bool operator==(const EntryBounds&) const = default;
};

// The entry that holds `line` (clamped to the journal). A line with a
// non-blank Details closes its entry; however long the entry, its bounds are
// its own, as EntryIndex gives them, so every window shows and totals the same
// lines as one entry. An empty journal gives {0, -1}.
EntryBounds findEntryBounds(const Book& book, std::int32_t line);
// The same over any run of entry lines (an entry group's lines).
EntryBounds findEntryBounds(const std::vector<EntryLine>& lines, std::int32_t line);

// The bounds of every line's entry, built once per computation in one pass
// over the journal, so a loop over the lines never searches for bounds.
class EntryIndex {
  public:
    explicit EntryIndex(const Book& book);

    std::int32_t lineCount() const { return static_cast<std::int32_t>(first_.size()); }
    // `line` must lie within the journal.
    std::int32_t first(std::int32_t line) const { return first_[static_cast<std::size_t>(line)]; }
    std::int32_t last(std::int32_t line) const { return last_[static_cast<std::size_t>(line)]; }
    EntryBounds bounds(std::int32_t line) const { return {first(line), last(line)}; }

  private:
    std::vector<std::int32_t> first_;
    std::vector<std::int32_t> last_;
};
