// A running total of amounts held in 128 bits: intermediate totals may pass
// the money range (large debits and credits that cancel), and only a figure
// that is shown, stored or exported has to fit in a Currency. Every addition
// is checked: a total that would pass the 128-bit range throws
// CurrencyOverflow, never wraps.
#pragma once

#include "book/currency.h"

#include <cstdint>
#include <limits>
#include <optional>

struct WideSum {
    __int128 raw = 0; // ten-thousandths

    WideSum& operator+=(Currency c) { return add(c.raw); }
    WideSum& operator-=(Currency c) { return subtract(c.raw); }
    WideSum& operator+=(WideSum o) { return add(o.raw); }
    WideSum& operator-=(WideSum o) { return subtract(o.raw); }
    friend WideSum operator+(WideSum a, WideSum b) { return a += b; }
    friend WideSum operator-(WideSum a, WideSum b) { return a -= b; }
    friend bool operator==(WideSum a, WideSum b) { return a.raw == b.raw; }

    bool isZero() const { return raw == 0; }
    bool fits() const {
        return raw >= std::numeric_limits<std::int64_t>::min() &&
               raw <= std::numeric_limits<std::int64_t>::max();
    }
    // The total as money, or nullopt when it does not fit.
    std::optional<Currency> checked() const {
        if (!fits()) return std::nullopt;
        return Currency::fromRaw(static_cast<std::int64_t>(raw));
    }
    // The total as money; throws CurrencyOverflow when it does not fit.
    Currency value() const {
        if (!fits()) throw CurrencyOverflow();
        return Currency::fromRaw(static_cast<std::int64_t>(raw));
    }

  private:
    // A total that fails keeps its value.
    WideSum& add(__int128 v) {
        __int128 sum = 0;
        if (__builtin_add_overflow(raw, v, &sum)) throw CurrencyOverflow();
        raw = sum;
        return *this;
    }
    WideSum& subtract(__int128 v) {
        __int128 difference = 0;
        if (__builtin_sub_overflow(raw, v, &difference)) throw CurrencyOverflow();
        raw = difference;
        return *this;
    }
};
