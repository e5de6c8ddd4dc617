#include "ledgers/contra_lines.h"

const ContraLines& EntryContras::of(std::int32_t line) {
    const std::int32_t first = entries_.first(line);
    if (first != entry_) {
        entry_ = first;
        debits_ = ContraLines();
        credits_ = ContraLines();
        const std::int32_t last = entries_.last(line);
        for (std::int32_t k = first; k <= last; ++k) {
            const EntryLine& contra = book_.EntryLines[static_cast<std::size_t>(k)];
            if (contra.AccountNumber.raw <= 0) continue;
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

Currency contraShare(Currency lineAmount, Currency contraAmount, WideSum contraSum) {
    // |contraAmount x lineAmount| < 2^126 and the sum of a journal's amounts
    // stays far below 2^126: the quotient and remainder are exact in 128 bits.
    const __int128 product = static_cast<__int128>(contraAmount.raw) * lineAmount.raw;
    const __int128 sum = contraSum.raw;
    __int128 quotient = product / sum; // towards zero
    const __int128 remainder = product % sum;
    const __int128 twice = 2 * (remainder < 0 ? -remainder : remainder);
    const __int128 divisor = sum < 0 ? -sum : sum;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0))
        quotient += (product < 0) == (sum < 0) ? 1 : -1; // away from zero
    WideSum share;
    share.raw = quotient;
    return share.value();
}
