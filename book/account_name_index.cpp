#include "book/account_name_index.h"

#include "book/account_number_rule.h"

AccountNameIndex::AccountNameIndex(const Book& book) {
    const int slots = book.slotsInUse();
    names_.reserve(static_cast<std::size_t>(std::max(slots, 0)) * 2);
    for (int k = 0; k < slots; ++k)
        if (isAccountNumber(book.AccountNumbers[k]))
            names_.emplace(book.AccountNumbers[k].raw, &book.AccountNames[k]);
}

const std::string& AccountNameIndex::name(Currency number) const {
    static const std::string none;
    auto it = names_.find(number.raw);
    return it == names_.end() ? none : *it->second;
}
