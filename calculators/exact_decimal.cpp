#include "calculators/exact_decimal.h"

#include "book/number_format.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// An unsigned whole number of up to 384 bits, wide enough for a 96-bit
// mantissa times 10^56 and for every intermediate of the four operations.
struct Wide {
    static constexpr int Limbs = 12;
    std::array<std::uint32_t, Limbs> limb{}; // least significant first

    static Wide of(ExactDecimal::Mantissa v) {
        Wide w;
        for (int i = 0; i < 4; ++i) {
            w.limb[i] = static_cast<std::uint32_t>(v);
            v >>= 32;
        }
        return w;
    }
    bool isZero() const {
        for (auto l : limb)
            if (l) return false;
        return true;
    }
    bool fits96() const {
        for (int i = 3; i < Limbs; ++i)
            if (limb[i]) return false;
        return true;
    }
    ExactDecimal::Mantissa low128() const {
        ExactDecimal::Mantissa v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 32) | limb[i];
        return v;
    }
    void mulSmall(std::uint32_t m) {
        std::uint64_t carry = 0;
        for (auto& l : limb) {
            const std::uint64_t t = std::uint64_t(l) * m + carry;
            l = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry) throw DecimalOverflow(); // never reached within the type's range
    }
    void addSmall(std::uint32_t a) {
        std::uint64_t carry = a;
        for (auto& l : limb) {
            if (!carry) return;
            const std::uint64_t t = std::uint64_t(l) + carry;
            l = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
    }
    std::uint32_t divSmall(std::uint32_t d) { // returns the remainder
        std::uint64_t rem = 0;
        for (int i = Limbs - 1; i >= 0; --i) {
            const std::uint64_t cur = (rem << 32) | limb[i];
            limb[i] = static_cast<std::uint32_t>(cur / d);
            rem = cur % d;
        }
        return static_cast<std::uint32_t>(rem);
    }
    void mulPow10(int n) {
        for (; n > 0; --n)
            mulSmall(10);
    }
    int bit(int i) const { return (limb[i / 32] >> (i % 32)) & 1; }
    int bitLength() const {
        for (int i = Limbs - 1; i >= 0; --i)
            if (limb[i]) return i * 32 + 32 - __builtin_clz(limb[i]);
        return 0;
    }
};

int cmp(const Wide& a, const Wide& b) {
    for (int i = Wide::Limbs - 1; i >= 0; --i)
        if (a.limb[i] != b.limb[i]) return a.limb[i] < b.limb[i] ? -1 : 1;
    return 0;
}

Wide add(const Wide& a, const Wide& b) {
    Wide r;
    std::uint64_t carry = 0;
    for (int i = 0; i < Wide::Limbs; ++i) {
        const std::uint64_t t = std::uint64_t(a.limb[i]) + b.limb[i] + carry;
        r.limb[i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    return r;
}

Wide sub(const Wide& a, const Wide& b) { // a >= b
    Wide r;
    std::int64_t borrow = 0;
    for (int i = 0; i < Wide::Limbs; ++i) {
        std::int64_t t = std::int64_t(a.limb[i]) - b.limb[i] - borrow;
        borrow = t < 0;
        if (t < 0) t += std::int64_t(1) << 32;
        r.limb[i] = static_cast<std::uint32_t>(t);
    }
    return r;
}

Wide mul(const Wide& a, const Wide& b) {
    Wide r;
    for (int i = 0; i < Wide::Limbs; ++i) {
        std::uint64_t carry = 0;
        if (!a.limb[i]) continue;
        for (int j = 0; i + j < Wide::Limbs; ++j) {
            const std::uint64_t t = std::uint64_t(a.limb[i]) * b.limb[j] + r.limb[i + j] + carry;
            r.limb[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
    }
    return r;
}

// Quotient and remainder by binary long division (den > 0).
void divMod(const Wide& num, const Wide& den, Wide& quot, Wide& rem) {
    quot = Wide{};
    rem = Wide{};
    for (int i = num.bitLength() - 1; i >= 0; --i) {
        // rem = rem * 2 + bit
        std::uint32_t carry = static_cast<std::uint32_t>(num.bit(i));
        for (auto& l : rem.limb) {
            const std::uint32_t next = l >> 31;
            l = (l << 1) | carry;
            carry = next;
        }
        if (cmp(rem, den) >= 0) {
            rem = sub(rem, den);
            quot.limb[i / 32] |= 1u << (i % 32);
        }
    }
}

Wide pow10(int n) {
    Wide w = Wide::of(1);
    w.mulPow10(n);
    return w;
}

// The exact value num / (den * 10^scale) held in the type: at `scale` when it
// fits (scale <= 28, num / den whole), else rounded halves to even at the
// largest scale that fits.
struct Fitted {
    ExactDecimal::Mantissa mantissa;
    int scale;
};

Fitted fit(const Wide& num, const Wide& den, int scale) {
    if (scale <= ExactDecimal::MaxScale && num.fits96() && cmp(den, Wide::of(1)) == 0)
        return {num.low128(), scale}; // exact and in range: kept as it is
    for (int t = std::min(scale, ExactDecimal::MaxScale); t >= 0; --t) {
        const Wide divisor = mul(den, pow10(scale - t));
        Wide q, r;
        divMod(num, divisor, q, r);
        const Wide twice = add(r, r);
        const int c = cmp(twice, divisor);
        if (c > 0 || (c == 0 && (q.limb[0] & 1))) q.addSmall(1);
        if (q.fits96()) return {q.low128(), t};
    }
    throw DecimalOverflow();
}

ExactDecimal signedResult(bool negative, const Wide& num, const Wide& den, int scale) {
    const Fitted f = fit(num, den, scale);
    return ExactDecimal::fromParts(negative, f.mantissa, f.scale);
}

// The value of the decimal digits times 10^-scale as `w` times 10^-scale,
// for a rounding to `places` decimals or fewer: `scale` is brought to 0 or
// more, and to no more than `places` + 2 where the digits below 10^-(places
// + 2) give way to one nonzero digit when any of them is not zero (the
// rounding lands above, on or below a half just as it would of the whole
// digits, and the number stays short). False when more than `wholeDigits`
// digits stand before the point (leading zeros aside). Digits must be
// '0'..'9' only.
bool digitsToWide(std::string_view digits, long& scale, int places, long wholeDigits, Wide& w) {
    w = Wide();
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) {
        scale = 0;
        return true;
    }
    digits.remove_prefix(first);
    const long length = static_cast<long>(digits.size());
    if (length - scale > wholeDigits) return false;
    const long keptScale = places + 2;
    bool beyond = false;
    if (scale > keptScale) {
        const std::size_t drop = static_cast<std::size_t>(std::min(length, scale - keptScale));
        beyond =
            digits.substr(digits.size() - drop).find_first_not_of('0') != std::string_view::npos;
        digits.remove_suffix(drop);
        scale = keptScale;
    }
    for (char c : digits) {
        w.mulSmall(10);
        w.addSmall(static_cast<std::uint32_t>(c - '0'));
    }
    if (beyond) {
        w.mulSmall(10);
        w.addSmall(1);
        ++scale;
    }
    if (scale < 0) {
        w.mulPow10(static_cast<int>(-scale));
        scale = 0;
    }
    return true;
}

std::string digitsOf(Wide w) {
    if (w.isZero()) return "0";
    std::string d;
    while (!w.isZero())
        d.insert(d.begin(), static_cast<char>('0' + w.divSmall(10)));
    return d;
}

} // namespace

ExactDecimal ExactDecimal::fromInt(std::int64_t value) {
    // -(value + 1) + 1 keeps the most negative value in range.
    const Mantissa m = value < 0 ? Mantissa(-(value + 1)) + 1 : Mantissa(value);
    return fromParts(value < 0, m, 0);
}

ExactDecimal ExactDecimal::fromCurrency(Currency value) {
    ExactDecimal d = fromInt(value.raw);
    if (!d.isZero()) d.scale_ = 4;
    return d;
}

ExactDecimal ExactDecimal::fromDigits(bool negative, std::string_view digits, long scale) {
    Wide w;
    // 30 whole digits or more pass 2^96 whatever follows the point.
    if (!digitsToWide(digits, scale, MaxScale, 29, w)) throw DecimalOverflow();
    return signedResult(negative, w, Wide::of(1), static_cast<int>(scale));
}

ExactDecimal ExactDecimal::operator-() const {
    ExactDecimal d = *this;
    if (!d.isZero()) d.negative_ = !d.negative_;
    return d;
}

ExactDecimal ExactDecimal::fromParts(bool negative, Mantissa m, int scale) {
    ExactDecimal d;
    d.mantissa_ = m;
    d.scale_ = m == 0 ? 0 : scale;
    d.negative_ = negative && m != 0;
    return d;
}

ExactDecimal operator+(const ExactDecimal& a, const ExactDecimal& b) {
    const int scale = std::max(a.scale_, b.scale_);
    Wide x = Wide::of(a.mantissa_), y = Wide::of(b.mantissa_);
    x.mulPow10(scale - a.scale_);
    y.mulPow10(scale - b.scale_);
    if (a.negative_ == b.negative_) return signedResult(a.negative_, add(x, y), Wide::of(1), scale);
    if (cmp(x, y) >= 0) return signedResult(a.negative_, sub(x, y), Wide::of(1), scale);
    return signedResult(b.negative_, sub(y, x), Wide::of(1), scale);
}

ExactDecimal operator-(const ExactDecimal& a, const ExactDecimal& b) {
    return a + (-b);
}

ExactDecimal operator*(const ExactDecimal& a, const ExactDecimal& b) {
    return signedResult(a.negative_ != b.negative_,
                        mul(Wide::of(a.mantissa_), Wide::of(b.mantissa_)), Wide::of(1),
                        a.scale_ + b.scale_);
}

ExactDecimal operator/(const ExactDecimal& a, const ExactDecimal& b) {
    if (b.isZero()) throw DecimalDivideByZero();
    const bool negative = a.negative_ != b.negative_;
    const Wide den = Wide::of(b.mantissa_);
    // The smallest scale, from the ideal one up, at which the quotient ends.
    for (int s = std::max(0, a.scale_ - b.scale_); s <= ExactDecimal::MaxScale; ++s) {
        Wide num = Wide::of(a.mantissa_);
        num.mulPow10(s - a.scale_ + b.scale_);
        Wide q, r;
        divMod(num, den, q, r);
        if (r.isZero()) return signedResult(negative, q, Wide::of(1), s);
    }
    Wide num = Wide::of(a.mantissa_);
    num.mulPow10(ExactDecimal::MaxScale - a.scale_ + b.scale_);
    return signedResult(negative, num, den, ExactDecimal::MaxScale);
}

int compare(const ExactDecimal& a, const ExactDecimal& b) {
    const int sa = a.isZero() ? 0 : (a.negative_ ? -1 : 1);
    const int sb = b.isZero() ? 0 : (b.negative_ ? -1 : 1);
    if (sa != sb) return sa < sb ? -1 : 1;
    if (sa == 0) return 0;
    int c;
    if (std::abs(a.scale_ - b.scale_) <= 9) {
        // Scales close enough to align within 128 bits (2^96 * 10^9 < 2^127).
        ExactDecimal::Mantissa x = a.mantissa_, y = b.mantissa_;
        for (int k = a.scale_; k < b.scale_; ++k)
            x *= 10;
        for (int k = b.scale_; k < a.scale_; ++k)
            y *= 10;
        c = x == y ? 0 : (x < y ? -1 : 1);
    } else {
        const int scale = std::max(a.scale_, b.scale_);
        Wide x = Wide::of(a.mantissa_), y = Wide::of(b.mantissa_);
        x.mulPow10(scale - a.scale_);
        y.mulPow10(scale - b.scale_);
        c = cmp(x, y);
    }
    return sa > 0 ? c : -c;
}

std::string ExactDecimal::plainText(const std::string& decimalMark) const {
    std::string digits = digitsOf(Wide::of(mantissa_));
    int scale = scale_;
    while (scale > 0 && digits.back() == '0') {
        digits.pop_back();
        --scale;
    }
    if (static_cast<int>(digits.size()) <= scale)
        digits.insert(0, static_cast<std::size_t>(scale) + 1 - digits.size(), '0');
    std::string text = digits;
    if (scale > 0)
        text = digits.substr(0, digits.size() - scale) + decimalMark +
               digits.substr(digits.size() - scale);
    return (isZero() || !negative_ ? "" : "-") + text;
}

std::string ExactDecimal::fixedText(int places, const NumberMarks& marks, bool leadingZero) const {
    places = std::clamp(places, 0, MaxScale);
    Wide w = Wide::of(mantissa_);
    if (scale_ <= places) {
        w.mulPow10(places - scale_);
    } else {
        const Wide unit = pow10(scale_ - places);
        Wide q, r;
        divMod(w, unit, q, r);
        if (cmp(add(r, r), unit) >= 0) q.addSmall(1);
        w = q;
    }
    std::string digits = digitsOf(w);
    if (static_cast<int>(digits.size()) <= places)
        digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - places);
    std::string text;
    if (whole == "0" && !leadingZero && places > 0)
        text.clear();
    else
        text = groupedDigits(whole, marks.group);
    if (places > 0) text += marks.decimal + digits.substr(digits.size() - places);
    if (negative_ && !w.isZero()) return "(" + text + ")";
    return text;
}

namespace {

// num ÷ 10^scale held to `places` decimals (0 to 4), halves to even.
std::optional<Currency> heldToCurrency(bool negative, Wide num, int scale, int places) {
    if (scale < places) {
        num.mulPow10(places - scale);
        scale = places;
    }
    const Wide unit = pow10(scale - places);
    Wide q, r;
    divMod(num, unit, q, r);
    const int c = cmp(add(r, r), unit);
    if (c > 0 || (c == 0 && (q.limb[0] & 1))) q.addSmall(1);
    q.mulPow10(4 - places);
    if (!q.fits96()) return std::nullopt;
    const ExactDecimal::Mantissa m = q.low128();
    // Below zero one more fits: the lowest amount.
    if (m > ExactDecimal::Mantissa(INT64_MAX) + (negative ? 1 : 0)) return std::nullopt;
    return Currency::fromRaw(static_cast<std::int64_t>(negative ? 0 - m : m));
}

} // namespace

std::optional<Currency> ExactDecimal::toCurrency() const {
    return heldToCurrency(negative_, Wide::of(mantissa_), scale_, 4);
}

std::optional<Currency> ExactDecimal::digitsToCurrency(bool negative, std::string_view digits,
                                                       long scale, int places) {
    places = std::clamp(places, 0, 4);
    // Twenty whole digits pass the currency range whatever follows the point.
    Wide w;
    if (!digitsToWide(digits, scale, places, 20, w)) return std::nullopt;
    return heldToCurrency(negative, w, static_cast<int>(scale), places);
}

std::optional<Currency> productToCurrency(const ExactDecimal& a, const ExactDecimal& b, int shift,
                                          int places) {
    // 96 × 96 bits and a scale up to 56 + shift stay well inside Wide.
    return heldToCurrency(a.negative_ != b.negative_,
                          mul(Wide::of(a.mantissa_), Wide::of(b.mantissa_)),
                          a.scale_ + b.scale_ + shift, std::clamp(places, 0, 4));
}
