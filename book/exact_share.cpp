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

} // namespace

WideSum exactShare(WideSum amount, std::int64_t part, WideSum whole) {
    if (whole.isZero()) throw CurrencyOverflow(); // no share of nothing
    WideSum share;
    if (amount.isZero() || part == 0) return share;
    const bool negative = ((amount.raw < 0) != (part < 0)) != (whole.raw < 0);
    const U128 a = magnitude(amount.raw), b = magnitude(part), d = magnitude(whole.raw);

    // a × b as hi:lo; b is below 2^64, so each half product fits.
    const U128 low = (a & ~std::uint64_t{0}) * b;
    const U128 high = (a >> 64) * b;
    const U128 lo = low + (high << 64);
    const U128 hi = (high >> 64) + (lo < low ? 1 : 0);

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
