// Money and account numbers: a signed 64-bit count of ten-thousandths.
// Sums are checked: an overflow throws CurrencyOverflow, which operations
// catch to stop with a message and leave the book unchanged.
#pragma once

// Qt's meta-object compiler (6.4) cannot parse <compare>; window headers that
// include the book are read by it, so it is shown neither the header nor <=>.
#ifndef Q_MOC_RUN
#include <compare>
#endif
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

class CurrencyOverflow : public std::overflow_error {
  public:
    CurrencyOverflow() : std::overflow_error("amount out of range") {}
};

struct Currency {
    static constexpr std::int64_t Scale = 10000;

    std::int64_t raw = 0; // ten-thousandths

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t r) {
        Currency c;
        c.raw = r;
        return c;
    }
    // Whole units (checked).
    static Currency fromUnits(std::int64_t units);
    // Parses "123", "-12.5", "0.0001" with "." as the decimal mark and no grouping.
    // More than four decimals, stray characters or an out-of-range value give nullopt.
    static std::optional<Currency> parse(const std::string& text);

    constexpr std::int64_t wholePart() const { return raw / Scale; } // towards zero
    constexpr std::int64_t fractionRaw() const { return raw % Scale; }
    constexpr bool isZero() const { return raw == 0; }
    double toDouble() const { return static_cast<double>(raw) / Scale; }

    // Plain text form: "." as the decimal mark, digits ungrouped, trailing
    // zeros cut (12.5, 100.1, -3).
    std::string toPlainString(const std::string& decimalMark = ".") const;

#ifndef Q_MOC_RUN
    friend constexpr auto operator<=>(Currency a, Currency b) = default;
#endif
    friend constexpr bool operator==(Currency a, Currency b) = default;

    Currency operator-() const;
    Currency& operator+=(Currency o);
    Currency& operator-=(Currency o);
    friend Currency operator+(Currency a, Currency b) { return a += b; }
    friend Currency operator-(Currency a, Currency b) { return a -= b; }
};

// Checked helpers that report overflow instead of throwing.
std::optional<Currency> checkedAdd(Currency a, Currency b);
std::optional<Currency> checkedSub(Currency a, Currency b);
