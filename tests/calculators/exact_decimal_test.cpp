// The exact decimal against Python's decimal module: a few hundred generated
// sums, differences, products and quotients (fixed seed) plus the edge cases
// of rounding and range, each worked out by Python with a wide context and
// held to the type (halves to even at the largest scale whose mantissa fits
// in 96 bits) and compared with ours.
#include "calculators/exact_decimal.h"
#include "python_check.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

const char* const PythonCheck = R"PY(
import sys
from decimal import Decimal, localcontext, ROUND_HALF_EVEN
LIMIT = 2 ** 96
def held(x):
    if x == 0:
        return Decimal(0)
    exp = x.as_tuple().exponent
    for t in range(min(max(-exp, 0), 28), -1, -1):
        q = x.quantize(Decimal(1).scaleb(-t), rounding=ROUND_HALF_EVEN)
        if abs(q.scaleb(t)) < LIMIT:
            return q
    return None
def text(q):
    if q is None:
        return "Overflow"
    if q == 0:
        return "0"
    return "{:f}".format(q.normalize())
bad = 0
with localcontext() as ctx:
    ctx.prec = 400
    ctx.rounding = ROUND_HALF_EVEN
    for n, line in enumerate(open(sys.argv[1])):
        a, op, b, ours = line.split()
        a, b = Decimal(a), Decimal(b)
        if op == "/" and b == 0:
            want = "DivideByZero"
        else:
            want = text(held({"+": a + b, "-": a - b, "*": a * b, "/": a / b if b else 0}[op]))
        if want != ours:
            bad += 1
            print("case %d: %s %s %s gives %s, Python %s" % (n, a, op, b, ours, want))
print("checked", n + 1)
sys.exit(1 if bad else 0)
)PY";

std::string randomDigits(std::mt19937_64& rng, int count) {
    std::string d;
    for (int i = 0; i < count; ++i)
        d += static_cast<char>('0' + rng() % 10);
    return d;
}

// A random decimal that fits the type: 1 to 29 digits, scale 0 to 28.
ExactDecimal randomDecimal(std::mt19937_64& rng) {
    const int digits = 1 + static_cast<int>(rng() % 29);
    std::string d = randomDigits(rng, digits);
    if (digits == 29) d[0] = static_cast<char>('0' + rng() % 8); // below 2^96
    const int scale = static_cast<int>(rng() % 29);
    return ExactDecimal::fromDigits(rng() % 2 == 0, d, scale);
}

std::string outcome(const ExactDecimal& a, char op, const ExactDecimal& b) {
    try {
        switch (op) {
        case '+':
            return (a + b).plainText();
        case '-':
            return (a - b).plainText();
        case '*':
            return (a * b).plainText();
        default:
            return (a / b).plainText();
        }
    } catch (const DecimalOverflow&) {
        return "Overflow";
    } catch (const DecimalDivideByZero&) {
        return "DivideByZero";
    }
}

ExactDecimal dec(const std::string& text) {
    const bool negative = text[0] == '-';
    std::string body = negative ? text.substr(1) : text;
    const auto point = body.find('.');
    int scale = 0;
    if (point != std::string::npos) {
        scale = static_cast<int>(body.size() - point - 1);
        body.erase(point, 1);
    }
    return ExactDecimal::fromDigits(negative, body, scale);
}

TEST(ExactDecimal, AgreesWithPythonDecimal) {
    std::ostringstream cases;
    auto add = [&](const ExactDecimal& a, char op, const ExactDecimal& b) {
        cases << a.plainText() << ' ' << op << ' ' << b.plainText() << ' ' << outcome(a, op, b)
              << '\n';
    };
    // Rounding ties, the ends of the range, quotients that do not end.
    const std::string max = "79228162514264337593543950335";
    const std::string tiny = "0.0000000000000000000000000001";
    add(dec(tiny), '*', dec("0.5"));
    add(dec("0.0000000000000000000000000003"), '*', dec("0.5"));
    add(dec(max), '+', dec("1"));
    add(dec(max), '-', dec("-0.4"));
    add(dec(max), '+', dec("0.5"));
    add(dec("-" + max), '-', dec("1"));
    add(dec(max), '*', dec("1.0000000000000000000000000001"));
    add(dec("1"), '/', dec("3"));
    add(dec("10"), '/', dec("3"));
    add(dec("2"), '/', dec("3"));
    add(dec(max), '/', dec(tiny));
    add(dec(tiny), '/', dec(max));
    add(dec("1.5"), '*', dec("1.5"));
    add(dec("0.1"), '+', dec("0.2"));
    add(dec("7"), '/', dec("0"));
    add(dec("12345678901234.5678901234567"), '*', dec("98765432109876.543210987654"));

    std::mt19937_64 rng(20260521);
    const char ops[] = {'+', '-', '*', '/'};
    for (int i = 0; i < 400; ++i) {
        const ExactDecimal a = randomDecimal(rng);
        const ExactDecimal b = i % 50 == 0 ? ExactDecimal() : randomDecimal(rng);
        add(a, ops[i % 4], b);
    }

    std::string out;
    const int status = calculator_tests::runPythonCheck(PythonCheck, cases.str(), &out);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("checked 416"), std::string::npos) << out;
}

TEST(ExactDecimal, TextFormsAndConversions) {
    const NumberMarks comma{",", "."};
    const NumberMarks point{".", ","};
    struct Case {
        std::string value;
        int places;
        NumberMarks marks;
        bool leadingZero;
        std::string shown;
    } cases[] = {
        {"0.5", 2, point, false, ".50"},
        {"0.5", 2, point, true, "0.50"},
        {"-3", 2, point, false, "(3.00)"},
        {"1234567.125", 2, point, false, "1,234,567.13"}, // halves away from zero
        {"-1234567.125", 2, comma, false, "(1.234.567,13)"},
        {"-0.001", 2, point, false, ".00"}, // rounds to zero: no sign
        {"2.5", 0, point, false, "3"},
        {"0", 0, point, false, "0"},
        {"1", 24, point, false, "1.000000000000000000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dec(c.value).fixedText(c.places, c.marks, c.leadingZero), c.shown) << c.value;

    EXPECT_EQ(dec("2.500").plainText(","), "2,5");
    EXPECT_EQ(dec("-0.030").plainText(), "-0.03");
    EXPECT_EQ(dec("100").plainText(), "100");
    EXPECT_EQ(ExactDecimal::fromInt(INT64_MIN).plainText(), "-9223372036854775808");
    EXPECT_EQ(ExactDecimal::fromCurrency(Currency::fromRaw(-12345)).plainText(), "-1.2345");
    EXPECT_EQ(dec("1.00005").toCurrency(), Currency::fromRaw(10000)); // halves to even
    EXPECT_EQ(dec("1.00015").toCurrency(), Currency::fromRaw(10002));
    EXPECT_EQ(dec("1000000000000000").toCurrency(), std::nullopt);
    // Digits of any length and scale: zeros appended, long tails rounded once.
    EXPECT_EQ(ExactDecimal::fromDigits(false, "0012", -3).plainText(), "12000");
    EXPECT_EQ(ExactDecimal::fromDigits(false, "7", -28).plainText(), "7" + std::string(28, '0'));
    EXPECT_THROW(ExactDecimal::fromDigits(false, "8", -28), DecimalOverflow);
    EXPECT_THROW(ExactDecimal::fromDigits(false, std::string(60, '9'), 30), DecimalOverflow);
    EXPECT_EQ(ExactDecimal::fromDigits(true, "25", 1000000), ExactDecimal());
    const std::string tie = "1" + std::string(27, '0') + "5" + std::string(40, '0');
    EXPECT_EQ(ExactDecimal::fromDigits(false, tie, 69).plainText(), "0.1");
    EXPECT_EQ(ExactDecimal::fromDigits(false, tie + "1", 70).plainText(),
              "0.1" + std::string(26, '0') + "1");
}

} // namespace
