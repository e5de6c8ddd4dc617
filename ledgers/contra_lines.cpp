#include "ledgers/contra_lines.h"

#include <cmath>

void ContraLines::find(const Book& book, const EntryIndex& entries, std::int32_t line) {
    lines.clear();
    sum = Currency();
    const std::uint8_t other = book.EntryLines[static_cast<std::size_t>(line)].Side == Debit
                                   ? std::uint8_t{Credit}
                                   : std::uint8_t{Debit};
    const std::int32_t last = entries.last(line);
    for (std::int32_t k = entries.first(line); k <= last; ++k) {
        const EntryLine& contra = book.EntryLines[static_cast<std::size_t>(k)];
        if (contra.Side != other || contra.AccountNumber.raw <= 0) continue;
        lines.push_back(k);
        sum += contra.Amount;
    }
}

Currency contraShare(Currency lineAmount, Currency contraAmount, Currency contraSum) {
    const double ratio = static_cast<double>(lineAmount.raw) / static_cast<double>(contraSum.raw);
    const double share = std::nearbyint(static_cast<double>(contraAmount.raw) * ratio);
    if (!(std::fabs(share) < 9.2e18)) throw CurrencyOverflow();
    return Currency::fromRaw(static_cast<std::int64_t>(share));
}
