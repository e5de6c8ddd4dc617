#include "book/folded_rows.h"

#include "book/account_number_rule.h"

#include <algorithm>

Currency rowKey(Currency number, bool includeSubAccounts) {
    return includeSubAccounts ? number : mainAccountOf(number);
}

RowSlots::RowSlots(const Book& book, bool includeSubAccounts)
    : includeSubAccounts_(includeSubAccounts) {
    const int slots = std::max(book.slotsInUse(), 0);
    standing_.reserve(static_cast<std::size_t>(slots) * 2);
    for (int k = 0; k < slots; ++k) {
        const Currency number = book.AccountNumbers[k];
        const Currency key = rowKey(number, includeSubAccounts);
        const auto [at, fresh] = standing_.try_emplace(key.raw, k);
        if (!fresh && number == key && book.AccountNumbers[at->second] != key) at->second = k;
    }
}

int RowSlots::slotOf(Currency number) const {
    const auto at = standing_.find(rowKey(number, includeSubAccounts_).raw);
    return at == standing_.end() ? -1 : at->second;
}

bool closesIntoProfit(std::uint8_t rowClass) {
    return rowClass == CostOfGoodsSold || rowClass == Revenue || rowClass == Expense;
}
