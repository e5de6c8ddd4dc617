#include "book/currency.h"

#include <cstdlib>
#include <limits>

Currency Currency::fromUnits(std::int64_t units) {
    std::int64_t r;
    if (__builtin_mul_overflow(units, Scale, &r)) throw CurrencyOverflow();
    return fromRaw(r);
}

std::optional<Currency> Currency::parse(const std::string& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so that the minimum value parses too.
    std::int64_t acc = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        if (point && ++decimals > 4) return std::nullopt;
        if (__builtin_mul_overflow(acc, 10, &acc) || __builtin_sub_overflow(acc, c - '0', &acc))
            return std::nullopt;
        ++digits;
    }
    if (digits == 0) return std::nullopt;
    for (; decimals < 4; ++decimals)
        if (__builtin_mul_overflow(acc, 10, &acc)) return std::nullopt;
    if (!negative) {
        if (acc == std::numeric_limits<std::int64_t>::min()) return std::nullopt;
        acc = -acc;
    }
    return fromRaw(acc);
}

std::string Currency::toPlainString(const std::string& decimalMark) const {
    // Work on the magnitude as unsigned so that the minimum value prints.
    bool negative = raw < 0;
    std::uint64_t mag = negative ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    std::string out = std::to_string(mag / Scale);
    std::uint64_t frac = mag % Scale;
    if (frac != 0) {
        std::string f = std::to_string(frac);
        f.insert(0, 4 - f.size(), '0');
        while (!f.empty() && f.back() == '0') f.pop_back();
        out += decimalMark + f;
    }
    return negative ? "-" + out : out;
}

Currency Currency::operator-() const {
    if (raw == std::numeric_limits<std::int64_t>::min()) throw CurrencyOverflow();
    return fromRaw(-raw);
}

Currency& Currency::operator+=(Currency o) {
    std::int64_t r;
    if (__builtin_add_overflow(raw, o.raw, &r)) throw CurrencyOverflow();
    raw = r;
    return *this;
}

Currency& Currency::operator-=(Currency o) {
    std::int64_t r;
    if (__builtin_sub_overflow(raw, o.raw, &r)) throw CurrencyOverflow();
    raw = r;
    return *this;
}

std::optional<Currency> checkedAdd(Currency a, Currency b) {
    std::int64_t r;
    if (__builtin_add_overflow(a.raw, b.raw, &r)) return std::nullopt;
    return Currency::fromRaw(r);
}

std::optional<Currency> checkedSub(Currency a, Currency b) {
    std::int64_t r;
    if (__builtin_sub_overflow(a.raw, b.raw, &r)) return std::nullopt;
    return Currency::fromRaw(r);
}
