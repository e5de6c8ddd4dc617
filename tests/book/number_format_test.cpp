#include "book/number_format.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

Currency money(const char* text) {
    return *Currency::parse(text);
}

const NumberMarks English{".", ","};
const NumberMarks German{",", "."};
const NumberMarks Swedish{",", "\xC2\xA0"}; // no-break space, two bytes
const NumberMarks Ungrouped{".", ""};

} // namespace

TEST(Rounding, HalvesAwayFromZeroAndHalvesToEven) {
    EXPECT_EQ(roundHalfAway(money("2.5"), 0), money("3"));
    EXPECT_EQ(roundHalfAway(money("-2.5"), 0), money("-3"));
    EXPECT_EQ(roundHalfAway(money("2.4999"), 0), money("2"));
    EXPECT_EQ(roundHalfAway(money("0.125"), 2), money("0.13"));
    EXPECT_EQ(roundHalfAway(money("-0.125"), 2), money("-0.13"));
    EXPECT_EQ(roundHalfAway(money("1.0005"), 3), money("1.001"));

    EXPECT_EQ(roundHalfEven(money("2.5"), 0), money("2"));
    EXPECT_EQ(roundHalfEven(money("3.5"), 0), money("4"));
    EXPECT_EQ(roundHalfEven(money("-2.5"), 0), money("-2"));
    EXPECT_EQ(roundHalfEven(money("-3.5"), 0), money("-4"));
    EXPECT_EQ(roundHalfEven(money("2.5001"), 0), money("3"));
    EXPECT_EQ(roundHalfEven(money("0.125"), 2), money("0.12"));
    EXPECT_EQ(roundHalfEven(money("0.135"), 2), money("0.14"));
    EXPECT_EQ(roundHalfEven(money("1.2345"), 4), money("1.2345"));
    EXPECT_EQ(roundHalfEven(money("1.2345"), 9), money("1.2345")); // clamped to 4
    EXPECT_EQ(roundHalfEven(money("1.5"), -3), money("2"));        // clamped to 0

    const auto max = std::numeric_limits<std::int64_t>::max();
    EXPECT_THROW(roundHalfAway(Currency::fromRaw(max), 0), CurrencyOverflow);
    EXPECT_THROW(roundHalfEven(Currency::fromRaw(max), 0), CurrencyOverflow);
}

TEST(FormatAmount, GroupsDigitsWithTheLocalesMarks) {
    EXPECT_EQ(formatAmount(money("1234567.891"), 2, English), "1,234,567.89");
    EXPECT_EQ(formatAmount(money("1234567.895"), 2, English), "1,234,567.90");
    EXPECT_EQ(formatAmount(money("1234567.891"), 2, German), "1.234.567,89");
    EXPECT_EQ(formatAmount(money("1234567.891"), 2, Swedish), "1\xC2\xA0"
                                                              "234\xC2\xA0"
                                                              "567,89");
    EXPECT_EQ(formatAmount(money("1234567.891"), 2, Ungrouped), "1234567.89");
    EXPECT_EQ(formatAmount(money("123456"), 0, English), "123,456");
    EXPECT_EQ(formatAmount(money("999.5"), 0, English), "1,000");
    EXPECT_EQ(formatAmount(money("12"), 4, English), "12.0000");
    EXPECT_EQ(formatAmount(money("0.05"), 1, English), "0.1");
    EXPECT_EQ(formatAmount(money("1.5"), 7, English), "1.5000"); // at most four places
    EXPECT_EQ(formatAmount(money("1.5"), 3, dayFirstLocale()), "1.500");
    EXPECT_EQ(formatAmount(money("-1234.5"), 2, decimalCommaLocale(), true), "(1.234,50)");
}

TEST(FormatAmount, NegativesAndTheEndsOfTheRange) {
    EXPECT_EQ(formatAmount(money("-1234.5"), 2, English), "-1,234.50");
    EXPECT_EQ(formatAmount(money("-1234.5"), 2, English, true), "(1,234.50)");
    EXPECT_EQ(formatAmount(money("-0.5"), 0, English, true), "(1)");
    EXPECT_EQ(formatAmount(money("-0.004"), 2, English), "0.00"); // rounds to zero: no sign
    EXPECT_EQ(formatAmount(money("-0.004"), 2, English, true), "0.00");
    EXPECT_EQ(formatAmount(Currency(), 0, English), "0");

    const auto max = std::numeric_limits<std::int64_t>::max();
    const auto min = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(formatAmount(Currency::fromRaw(max), 4, English), "922,337,203,685,477.5807");
    EXPECT_EQ(formatAmount(Currency::fromRaw(max), 0, English), "922,337,203,685,478");
    EXPECT_EQ(formatAmount(Currency::fromRaw(min), 0, English, true), "(922,337,203,685,478)");
}

TEST(PlainNumberText, NoGroupingNoTrailingZeros) {
    EXPECT_EQ(plainNumberText(money("12.50"), "."), "12.5");
    EXPECT_EQ(plainNumberText(money("1234567.1"), ","), "1234567,1");
    EXPECT_EQ(plainNumberText(money("-3"), ","), "-3");
}

TEST(ParseAmount, ReadsDigitsWithTheLocalesMarksOnly) {
    EXPECT_EQ(parseAmount("1,234.5", English), money("1234.5"));
    EXPECT_EQ(parseAmount("1234.5", English), money("1234.5"));
    EXPECT_EQ(parseAmount("1.234,5", German), money("1234.5"));
    EXPECT_EQ(parseAmount("1\xC2\xA0"
                          "234,5678",
                          Swedish),
              money("1234.5678"));
    EXPECT_EQ(parseAmount(".5", English), money("0.5"));
    EXPECT_EQ(parseAmount("5.", English), money("5"));
    EXPECT_EQ(parseAmount("0", English), Currency());
    EXPECT_EQ(parseAmount("922337203685477.5807", English)->raw,
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(parseAmount("12,5", decimalCommaLocale()), money("12.5"));

    for (const char* bad :
         {"", ".", ",", "-5", "+5", "(5)", " 5", "5 ", "1.23456", "1.2.3", "1,234.5,6", ",123",
          "123,", "1,,234", "12a", "1e3", "922337203685477.5808", "99999999999999999999"})
        EXPECT_FALSE(parseAmount(bad, English)) << bad;
    EXPECT_EQ(parseAmount("1.234.567", German), money("1234567"));
    for (const char* misgrouped :
         {"1.234.5", "1.23,5", "1234.567", "1.2345", "12.34", "1.234.5678"})
        EXPECT_FALSE(parseAmount(misgrouped, German)) << misgrouped;
    EXPECT_FALSE(parseAmount("1,234", Ungrouped));
    EXPECT_FALSE(parseAmount("1 234", Swedish)); // a plain blank is not the group mark
    EXPECT_FALSE(parseAmount("1\xC2", Swedish)); // half a mark
}
