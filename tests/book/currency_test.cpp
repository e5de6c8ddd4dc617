#include "book/currency.h"
#include "book/exact_share.h"
#include "book/wide_sum.h"

#include <gtest/gtest.h>
#include <limits>

TEST(Currency, ParsesAndPrintsThePlainForm) {
    EXPECT_EQ(Currency::parse("12.5")->raw, 125000);
    EXPECT_EQ(Currency::parse("-0.0001")->raw, -1);
    EXPECT_EQ(Currency::parse("100.1")->toPlainString(), "100.1");
    EXPECT_EQ(Currency::parse("-3")->toPlainString(), "-3");
    EXPECT_EQ(Currency::parse("12.50")->toPlainString(","), "12,5");
    EXPECT_FALSE(Currency::parse("1.00001"));
    EXPECT_FALSE(Currency::parse("1,5"));
    EXPECT_FALSE(Currency::parse(""));
    EXPECT_FALSE(Currency::parse("-"));
    EXPECT_FALSE(Currency::parse("922337203685478")); // beyond the 64-bit range
    EXPECT_EQ(Currency::parse("-922337203685477.5808")->raw,
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(Currency::fromRaw(std::numeric_limits<std::int64_t>::min()).toPlainString(),
              "-922337203685477.5808");
}

TEST(Currency, SumsAreChecked) {
    Currency big = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    Currency one = Currency::fromRaw(1);
    EXPECT_THROW(big + one, CurrencyOverflow);
    Currency keep = big;
    EXPECT_THROW(keep += one, CurrencyOverflow);
    EXPECT_EQ(keep, big); // unchanged after a failed sum
    EXPECT_FALSE(checkedAdd(big, one));
    EXPECT_EQ(checkedSub(one, one)->raw, 0);
    EXPECT_THROW(-Currency::fromRaw(std::numeric_limits<std::int64_t>::min()), CurrencyOverflow);
    EXPECT_THROW(Currency::fromUnits(std::numeric_limits<std::int64_t>::max() / 100),
                 CurrencyOverflow);
}

TEST(WideSum, HoldsTotalsBeyondTheRangeAndChecksOnlyTheResult) {
    const Currency big = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    WideSum s;
    s += big;
    s += big; // beyond the money range, still held
    EXPECT_FALSE(s.fits());
    EXPECT_FALSE(s.checked());
    EXPECT_THROW(s.value(), CurrencyOverflow);
    s -= big;
    s -= Currency::fromRaw(5);
    EXPECT_EQ(s.value().raw, std::numeric_limits<std::int64_t>::max() - 5);
    WideSum low;
    low -= big;
    low -= Currency::fromRaw(1);
    EXPECT_EQ(low.value().raw, std::numeric_limits<std::int64_t>::min());
}

// Sums and shares near the ends of 128 bits refuse rather than wrap: an
// exact share that rounds past 2^127 - 1 and a whole of 0 throw; -2^127 is
// the one share that fits below.
TEST(WideSum, SumsAndSharesNeverWrap) {
    constexpr __int128 Top = ~(static_cast<unsigned __int128>(1) << 127);
    auto whole = [](__int128 raw) {
        WideSum w;
        w.raw = raw;
        return w;
    };
    WideSum top = whole(Top), bottom = whole(-Top - 1);
    EXPECT_THROW(top += Currency::fromRaw(1), CurrencyOverflow);
    EXPECT_EQ(top.raw, Top); // unchanged after a failed sum
    EXPECT_THROW(bottom -= Currency::fromRaw(1), CurrencyOverflow);
    EXPECT_THROW(WideSum{} - bottom, CurrencyOverflow);
    EXPECT_THROW(top += top, CurrencyOverflow);

    // (2^86 + 2^43 + 1) x (2^43 - 1) = 2^129 - 1.
    const WideSum amount =
        whole((static_cast<__int128>(1) << 86) + (static_cast<__int128>(1) << 43) + 1);
    const std::int64_t part = (std::int64_t{1} << 43) - 1;
    EXPECT_THROW(exactShare(amount, part, whole(2)), CurrencyOverflow); // 2^128 - 1/2: once 0
    EXPECT_THROW(exactShare(amount, part, whole(4)), CurrencyOverflow); // 2^127 - 1/4 up
    EXPECT_EQ(exactShare(amount, -part, whole(4)).raw, -Top - 1);       // down to -2^127
    EXPECT_EQ(exactShare(whole(-Top - 1), 1, whole(1)).raw, -Top - 1);
    EXPECT_THROW(exactShare(whole(-Top - 1), -1, whole(1)), CurrencyOverflow); // +2^127
    EXPECT_EQ(exactShare(whole(Top), 1, whole(-1)).raw, -Top);
    EXPECT_EQ(exactShare(whole(7), 1, whole(2)).raw, 4); // 3.5: halves to even
    EXPECT_THROW(exactShare(whole(7), 1, whole(0)), CurrencyOverflow);
    EXPECT_THROW(exactShare(whole(0), 1, whole(0)), CurrencyOverflow);

    // A part beyond 64 bits: 2^100 x -2^100 / 2^90, through 2^200.
    const __int128 big = static_cast<__int128>(1) << 100;
    EXPECT_EQ(exactShare(whole(big), whole(-big), whole(big >> 10)).raw, -(big << 10));
    // The second of three thirds of 2: 1.3333 less 0.6667.
    EXPECT_EQ(exactShareAfter(whole(20000), whole(1), whole(1), whole(3)).raw, 6666);
}
