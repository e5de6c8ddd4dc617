// A share of an amount worked out exactly: amount × part / whole, rounded to
// a ten-thousandth with halves to the even one. The amount and the whole may
// be totals held wide (book/wide_sum.h); nothing goes through floating point.
#pragma once

#include "book/wide_sum.h"

#include <cstdint>

// `whole` must not be 0. Throws CurrencyOverflow only when the share itself
// does not fit in 128 bits.
WideSum exactShare(WideSum amount, std::int64_t part, WideSum whole);
