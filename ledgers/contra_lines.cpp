#include "ledgers/contra_lines.h"

#include "book/account_number_rule.h"
#include "book/exact_share.h"

const ContraLines& EntryContras::of(std::int32_t line) {
    const std::int32_t first = entries_.first(line);
    if (first != entry_) {
        entry_ = first;
        debits_ = ContraLines();
        credits_ = ContraLines();
        const std::int32_t last = entries_.last(line);
        for (std::int32_t k = first; k <= last; ++k) {
            const EntryLine& contra = book_.EntryLines[static_cast<std::size_t>(k)];
            if (!isAccountNumber(contra.AccountNumber)) continue;
            ContraLines* side = contra.Side == Debit    ? &debits_
                                : contra.Side == Credit ? &credits_
                                                        : nullptr;
            if (side == nullptr) continue;
            side->lines.push_back(k);
            side->sum += contra.Amount;
        }
    }
    return book_.EntryLines[static_cast<std::size_t>(line)].Side == Debit ? credits_ : debits_;
}

WideSum ContraShares::next(Currency part) {
    const WideSum share = exactShareAfter(WideSum{amount_.raw}, parts_, WideSum{part.raw}, whole_);
    parts_ += part;
    return share;
}
