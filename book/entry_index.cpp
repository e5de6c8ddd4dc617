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
    EntryBounds b{std::max(0, line - EntrySearchReach), line};
    for (std::int32_t k = 1; k <= EntrySearchReach; ++k) {
        if (line - k < 0) {
            b.first = 0;
            break;
        }
        if (closesEntry(lines[line - k].Details)) {
            b.first = line - k + 1;
            break;
        }
    }
    // Forward: the first line from `line` on that closes an entry, or the last line.
    b.last = std::min(last, line + EntrySearchReach);
    for (std::int32_t k = 0; k <= EntrySearchReach; ++k) {
        if (line + k >= last) {
            b.last = last;
            break;
        }
        if (closesEntry(lines[line + k].Details)) {
            b.last = line + k;
            break;
        }
    }
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
