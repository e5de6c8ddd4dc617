#include "book/account_map.h"

#include <algorithm>

AccountMap::AccountMap(const Book& book) {
    const int slots = book.slotsInUse();
    slots_.reserve(static_cast<std::size_t>(std::max(slots, 0)));
    for (int i = 0; i < slots; ++i) {
        const std::int64_t raw = book.AccountNumbers[static_cast<std::size_t>(i)].raw;
        if (raw > 0) slots_.try_emplace(raw, i);
    }
}

std::optional<int> AccountMap::slot(Currency number) const {
    if (number.raw <= 0) return std::nullopt;
    const auto it = slots_.find(number.raw);
    if (it == slots_.end()) return std::nullopt;
    return it->second;
}
