#include "book/currency.h"
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
