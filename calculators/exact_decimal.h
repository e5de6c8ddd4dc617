// An exact decimal number for the tape calculator: a sign, an unsigned 96-bit
// whole number, and a count of 0 to 28 digits after the point. Sums,
// differences and products are exact where they fit; otherwise (and for
// quotients that do not end) the result is rounded, halves to the even
// neighbour, to the largest scale at which it still fits in 96 bits. A result
// beyond the 96-bit range throws DecimalOverflow; a division by zero throws
// DecimalDivideByZero.
#pragma once

#include "book/currency.h"
#include "book/number_format.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

class DecimalOverflow : public std::overflow_error {
  public:
    DecimalOverflow() : std::overflow_error("decimal overflow") {}
};

// What a calculator shows in place of a result beyond its range.
inline const std::string OverflowText = "Overflow";

class DecimalDivideByZero : public std::domain_error {
  public:
    DecimalDivideByZero() : std::domain_error("division by zero") {}
};

class ExactDecimal {
  public:
    static constexpr int MaxScale = 28;
    using Mantissa = unsigned __int128; // only the low 96 bits are ever used

    ExactDecimal() = default; // 0
    static ExactDecimal fromInt(std::int64_t value);
    static ExactDecimal fromCurrency(Currency value);
    // Sign, mantissa (below 2^96) and scale (0 to 28) as given.
    static ExactDecimal fromParts(bool negative, Mantissa mantissa, int scale);
    // The decimal digits (any number of them) times 10^-scale: `scale` of them
    // after the point, or as many zeros appended when it is negative. Beyond
    // 28 places the value is rounded (halves to even). Throws DecimalOverflow
    // when it does not fit; digits must be '0'..'9' only.
    static ExactDecimal fromDigits(bool negative, std::string_view digits, long scale);

    bool isZero() const { return mantissa_ == 0; }
    bool isNegative() const { return negative_; }
    int scale() const { return scale_; }
    Mantissa mantissa() const { return mantissa_; }

    ExactDecimal operator-() const;
    friend ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b);
    friend ExactDecimal operator/(const ExactDecimal& a, const ExactDecimal& b);

    // Numeric comparison (2.50 equals 2.5).
    friend int compare(const ExactDecimal& a, const ExactDecimal& b);
    friend bool operator==(const ExactDecimal& a, const ExactDecimal& b) {
        return compare(a, b) == 0;
    }
    friend bool operator<(const ExactDecimal& a, const ExactDecimal& b) {
        return compare(a, b) < 0;
    }
    bool isPositive() const { return !negative_ && mantissa_ != 0; }

    // The plain text: no grouping, no trailing zeros, "-" before a negative
    // number, a digit before the mark (0.3, -12.5, 100).
    std::string plainText(const std::string& decimalMark = ".") const;
    // Rounded to `places` decimals (0 to 28), halves away from zero, the whole
    // part grouped by threes. With `leadingZero` false a whole part of 0 is
    // left out (.50); negatives are bracketed.
    std::string fixedText(int places, const NumberMarks& marks, bool leadingZero) const;
    // The value held to four decimals (halves to even); nullopt beyond the range.
    std::optional<Currency> toCurrency() const;
    // The digits and scale as fromDigits takes them, held to `places`
    // decimals (0 to 4) in one rounding from the digits themselves (halves to
    // even); nullopt when the rounded amount is beyond the currency range.
    static std::optional<Currency> digitsToCurrency(bool negative, std::string_view digits,
                                                    long scale, int places = 4);
    // a × b ÷ 10^shift (shift 0 to 28) worked out exactly and held to `places`
    // decimals (0 to 4) in one rounding (halves to even); nullopt beyond the
    // currency range.
    friend std::optional<Currency> productToCurrency(const ExactDecimal& a, const ExactDecimal& b,
                                                     int shift, int places);

  private:
    bool negative_ = false;
    int scale_ = 0;
    Mantissa mantissa_ = 0;
};
