#include "book/exact_share.h"

namespace {

using U128 = unsigned __int128;

U128 magnitude(__int128 v) {
    return v < 0 ? U128(0) - U128(v) : U128(v);
}

// The quotient and remainder of the 256-bit number hi:lo by d (d above 0 and
// at most 2^127), one bit at a time; false when the quotient passes 128 bits.
bool divide(U128 hi, U128 lo, U128 d, U128& quotient, U128& remainder) {
    U128 q = 0, r = 0;
    for (int bit = 255; bit >= 0; --bit) {
        const U128 next = bit >= 128 ? hi >> (bit - 128) : lo >> bit;
        r = (r << 1) | (next & 1); // r stays below 2d, which fits
        if (q >> 127) return false;
        q <<= 1;
        if (r >= d) {
            r -= d;
            q |= 1;
        }
    }
    quotient = q;
    remainder = r;
    return true;
}

// a × b as the 256-bit number hi:lo, from four products of 64-bit halves.
void multiply(U128 a, U128 b, U128& hi, U128& lo) {
    const U128 half = ~std::uint64_t{0};
    const U128 a0 = a & half, a1 = a >> 64, b0 = b & half, b1 = b >> 64;
    const U128 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const U128 middle = (p00 >> 64) + (p01 & half) + (p10 & half); // below 3 × 2^64
    lo = (middle << 64) | (p00 & half);
    hi = p11 + (p01 >> 64) + (p10 >> 64) + (middle >> 64);
}

} // namespace

WideSum exactShare(WideSum amount, WideSum part, WideSum whole) {
    if (whole.isZero()) throw CurrencyOverflow(); // no share of nothing
    WideSum share;
    if (amount.isZero() || part.isZero()) return share;
    const bool negative = ((amount.raw < 0) != (part.raw < 0)) != (whole.raw < 0);
    const U128 a = magnitude(amount.raw), b = magnitude(part.raw), d = magnitude(whole.raw);
    U128 hi = 0, lo = 0;
    multiply(a, b, hi, lo);

    U128 q = 0, r = 0;
    if (hi == 0) {
        q = lo / d;
        r = lo % d;
    } else if (!divide(hi, lo, d, q, r)) {
        throw CurrencyOverflow();
    }
    // The largest magnitude a share may have: 2^127 - 1, or 2^127 below zero.
    const U128 largest = (U128(1) << 127) - (negative ? 0 : 1);
    if (q > largest) throw CurrencyOverflow();
    if (r > d - r || (r == d - r && (q & 1))) { // halves to the even one
        if (q == largest) throw CurrencyOverflow();
        ++q;
    }
    share.raw = negative ? static_cast<__int128>(U128(0) - q) : static_cast<__int128>(q);
    return share;
}

WideSum exactShareAfter(WideSum amount, WideSum before, WideSum part, WideSum whole) {
    return exactShare(amount, before + part, whole) - exactShare(amount, before, whole);
}
