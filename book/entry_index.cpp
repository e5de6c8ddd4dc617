#include "book/entry_index.h"

#include <algorithm>

EntryBounds findEntryBounds(const Book& book, std::int32_t line) {
    return findEntryBounds(book.EntryLines, line);
}

EntryBounds findEntryBounds(const std::vector<EntryLine>& lines, std::int32_t line) {
    const std::int32_t last = static_cast<std::int32_t>(lines.size()) - 1;
    if (last < 0) return {0, -1};
    line = std::clamp(line, 0, last);

    // Back: the line after the nearest earlier line that closes an entry.
    EntryBounds b{line, line};
    while (b.first > 0 && !closesEntry(lines[b.first - 1].Details))
        --b.first;
    // Forward: the first line from `line` on that closes an entry, or the last line.
    while (b.last < last && !closesEntry(lines[b.last].Details))
        ++b.last;
    return b;
}

EntryIndex::EntryIndex(const Book& book) {
    const std::size_t n = book.EntryLines.size();
    first_.resize(n);
    last_.resize(n);
    std::size_t begin = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!closesEntry(book.EntryLines[i].Details) && i + 1 < n) continue;
        for (std::size_t k = begin; k <= i; ++k) {
            first_[k] = static_cast<std::int32_t>(begin);
            last_[k] = static_cast<std::int32_t>(i);
        }
        begin = i + 1;
    }
}
