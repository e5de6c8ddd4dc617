// A share of an amount worked out exactly: amount × part / whole, rounded to
// a ten-thousandth with halves to the even one. The amount and the whole may
// be totals held wide (book/wide_sum.h); nothing goes through floating point.
#pragma once

#include "book/wide_sum.h"

#include <cstdint>

// Throws CurrencyOverflow, never divides and never wraps, when `whole` is 0 or
// the share, rounded, does not fit in 128 bits (-2^127 fits).
WideSum exactShare(WideSum amount, WideSum part, WideSum whole);
inline WideSum exactShare(WideSum amount, std::int64_t part, WideSum whole) {
    return exactShare(amount, WideSum{part}, whole);
}

// Shares of one amount among parts that add up to `whole`, each the share of
// the parts up to and including it less the share of those before it
// (`before`, the sum of the earlier parts): rounded so, the shares of all the
// parts add up to the amount exactly, whatever their order.
WideSum exactShareAfter(WideSum amount, WideSum before, WideSum part, WideSum whole);
