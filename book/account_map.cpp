#include "book/account_map.h"

#include "book/account_number_rule.h"

#include <algorithm>

AccountMap::AccountMap(const Book& book) {
    const int slots = book.slotsInUse();
    slots_.reserve(static_cast<std::size_t>(std::max(slots, 0)));
    for (int i = 0; i < slots; ++i) {
        const Currency number = book.AccountNumbers[static_cast<std::size_t>(i)];
        if (isAccountNumber(number)) slots_.try_emplace(number.raw, i);
    }
}

std::optional<int> AccountMap::slot(Currency number) const {
    if (!isAccountNumber(number)) return std::nullopt;
    const auto it = slots_.find(number.raw);
    if (it == slots_.end()) return std::nullopt;
    return it->second;
}
