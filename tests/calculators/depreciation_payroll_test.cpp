// Reading typed numbers and times, the depreciation schedule and the payroll
// sheet: times worked, gross, deductions, net and totals, and the boxes as
// they read once the user leaves them.
#include "calculators/depreciation.h"
#include "calculators/number_reading.h"
#include "calculators/payroll.h"
#include "calculators/payroll_layout.h"
#include "python_check.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <tuple>

namespace {

const NumberMarks Point{".", ","};
const NumberMarks Comma{",", "."};

TEST(TypedNumbers, SystemRulesThenLeadingNumber) {
    struct Case {
        std::string text;
        NumberMarks marks;
        std::optional<Currency> amount;
    } cases[] = {
        {"1,000", Point, Currency::fromUnits(1000)},
        {"1,234.5", Point, Currency::fromRaw(12345000)},
        {"12,5", Comma, Currency::fromRaw(125000)},
        {"12,5", Point, Currency::fromUnits(12)}, // no grouping by threes: the leading number
        {"1.000,50", Comma, Currency::fromRaw(10005000)},
        {"12.5", Comma, Currency::fromRaw(125000)}, // leading number reads "."
        {" -7.25 ", Point, Currency::fromRaw(-72500)},
        {"12-3", Point, Currency::fromUnits(12)},
        {"abc", Point, Currency()},
        {"", Point, Currency()},
        {"0.00005", Point, Currency()}, // halves to even at four places
        {"9E99", Point, std::nullopt},  // beyond the currency range
        {"99999999999999999", Point, std::nullopt},
        {"120,50", Point, Currency::fromUnits(120)},
        // Leading numbers are read digit by digit, whatever their length.
        {"12345678901234.5678", Comma, Currency::fromRaw(123456789012345678)},
        {"922337203685477.5807", Comma, Currency::fromRaw(INT64_MAX)},
        {"922337203685477.5808", Comma, std::nullopt},
        {"-922337203685477.5807x", Comma, Currency::fromRaw(-INT64_MAX)},
        {"-922337203685477.5808", Comma, Currency::fromRaw(INT64_MIN)}, // as a copy writes it
        {"0.000149999999999999999", Comma, Currency::fromRaw(1)},
        {"0.00015", Comma, Currency::fromRaw(2)},
        {"1E400", Point, std::nullopt},
        {"1E-400", Point, Currency()},
        {"12.5E2x", Comma, Currency::fromUnits(1250)},
        {"&H10", Point, Currency::fromUnits(16)},
        {"0." + std::string(400, '0') + "9", Comma, Currency()},
        {"1" + std::string(400, '0'), Comma, std::nullopt},
        {"3." + std::string(300, '3') + "x", Comma, Currency::fromRaw(33333)},
        // Rounded once, from the digits as typed, and only then held to the range.
        {"0.00005000000000000000000000001", Point, Currency::fromRaw(1)},
        {"1.000050000000000000000000000000000001x", Comma, Currency::fromRaw(10001)},
        {"-922,337,203,685,477.580749999999999999999999", Point, Currency::fromRaw(-INT64_MAX)},
        {"922,337,203,685,477.580749999999999999999999", Point, Currency::fromRaw(INT64_MAX)},
        {"1,000,000,000,000,000,000,000,000,000,000", Point, std::nullopt}, // not its leading 1
    };
    for (const Case& c : cases)
        EXPECT_EQ(readTypedAmount(c.text, c.marks), c.amount) << c.text;
    EXPECT_DOUBLE_EQ(readTypedNumber("12,5", Comma), 12.5);
    EXPECT_DOUBLE_EQ(readTypedNumber("12,5", Point), 12);
    EXPECT_EQ(readDecimal("1,00", Point), std::nullopt);
    EXPECT_EQ(readDecimal("-", Point), std::nullopt);
    // A long fraction is rounded to the decimal's 28 places, not refused.
    EXPECT_EQ(readDecimal("0." + std::string(300, '0') + "7", Point), ExactDecimal());
    EXPECT_EQ(readDecimal("1." + std::string(100, '3'), Point).value_or(ExactDecimal()).plainText(),
              "1." + std::string(28, '3'));
    const std::string tiny = "1" + std::string(27, '0') + "1";
    EXPECT_EQ(leadingDecimal("1." + tiny.substr(1) + "x"),
              ExactDecimal::fromDigits(false, tiny, 28));

    struct Time {
        std::string text;
        std::optional<double> seconds;
    } times[] = {
        {"09:00 am", 9 * 3600},     {"9:00am", 9 * 3600},  {"05:30 PM", 17.5 * 3600},
        {"17:00", 17 * 3600},       {"12:00am", 0},        {"12:00 pm", 12 * 3600},
        {"9 pm", 21 * 3600},        {"00:30", 1800},       {"1:02:03", 3723},
        {"", std::nullopt},         {"abc", std::nullopt}, {"25:00", std::nullopt},
        {"13:00 pm", std::nullopt}, {"9", std::nullopt},   {"9:60", std::nullopt},
    };
    for (const Time& t : times) {
        const std::optional<double> v = readTimeOfDay(t.text);
        ASSERT_EQ(v.has_value(), t.seconds.has_value()) << t.text;
        if (v) {
            EXPECT_NEAR(*v * 86400, *t.seconds, 1e-6) << t.text;
        }
    }
    EXPECT_EQ(clockText(0), "12:00 am");
    EXPECT_EQ(clockText(0.5), "12:00 pm");
    EXPECT_EQ(clockText(17.5 / 24), "05:30 pm");
    EXPECT_EQ(durationText(7.5 / 24), "07:30");
}

TEST(Depreciation, ReducingBalanceSchedules) {
    using Outcome = DepreciationSchedule::Outcome;
    struct Case {
        std::string cost, percent, years;
        NumberMarks marks;
        Outcome outcome;
        std::vector<std::pair<std::int64_t, std::int64_t>> rows; // book value, depreciation (raw)
    } cases[] = {
        {"1000",
         "20",
         "3",
         Point,
         Outcome::Computed,
         {{10000000, 2000000}, {8000000, 1600000}, {6400000, 1280000}}},
        {"1,000", "20", "1", Point, Outcome::Computed, {{10000000, 2000000}}},
        {"12,5", "10", "1", Comma, Outcome::Computed, {{125000, 12500}}},
        {"1", ".5", "1", Point, Outcome::Computed, {{10000, 50}}},
        {"0.0003", "50", "2", Point, Outcome::Computed, {{3, 2}, {1, 0}}}, // halves to even
        {"0.2885", "70", "1", Point, Outcome::Computed, {{2885, 2020}}},   // 0.20195: a tie
        {"0,2885", "70", "1", Comma, Outcome::Computed, {{2885, 2020}}},
        {"1", "0.00000000000000000000000000005", "1", Point, Outcome::Computed, {{10000, 0}}},
        {"1000", "9E99", "1", Point, Outcome::CostTooLarge, {}},
        {"1000", "20", "0", Point, Outcome::TooFewYears, {}},
        {"1000", "20", "", Point, Outcome::TooFewYears, {}},
        {"1000", "20", ".5", Point, Outcome::TooFewYears, {}},
        {"1000", "-50", "2", Point, Outcome::RateBelowZero, {}},
        {"1000", "-0", "1", Point, Outcome::Computed, {{10000000, 0}}},
        {"1000",
         "20",
         "2.5",
         Point,
         Outcome::Computed, // 1 + (2.5 - 1) halves to even: 3 years
         {{10000000, 2000000}, {8000000, 1600000}, {6400000, 1280000}}},
        {"9E99", "20", "3", Point, Outcome::CostTooLarge, {}},
        {"abc", "20", "2", Point, Outcome::Computed, {{0, 0}, {0, 0}}},
        // A cost in the other decimal form reads its leading number exactly.
        // clang-format off
        {"12345678901234.5678", "20", "1", Comma, Outcome::Computed,
         {{123456789012345678, 24691357802469136}}},
        {"922337203685477.5807", "20", "2", Comma, Outcome::Computed,
         {{INT64_MAX, 1844674407370955161}, {7378697629483820646, 1475739525896764129}}},
        // clang-format on
    };
    for (const Case& c : cases) {
        const DepreciationSchedule s = depreciationSchedule(c.cost, c.percent, c.years, c.marks);
        EXPECT_EQ(s.outcome, c.outcome) << c.cost << " " << c.years;
        std::vector<std::pair<std::int64_t, std::int64_t>> rows;
        for (const DepreciationYear& y : s.years)
            rows.emplace_back(y.bookValue.raw, y.depreciation.raw);
        EXPECT_EQ(rows, c.rows) << c.cost << " " << c.years;
    }
    EXPECT_EQ(depreciationSchedule("1000", "20", "99", Point).years.size(), 99u);
    // Year 43 of 26,354.30 at 0.7 % stands at 19,620.9449, shown 19,620.94.
    const DepreciationSchedule long_ = depreciationSchedule("26,354.30", "0.7", "50", Point);
    ASSERT_EQ(long_.years.size(), 50u);
    EXPECT_EQ(long_.years[42].bookValue, Currency::fromRaw(196209449));
    EXPECT_EQ(formatAmount(long_.years[42].bookValue, 2, Point), "19,620.94");
    EXPECT_EQ(formatAmount(Currency::fromUnits(640), 2, Point), "640.00");
    EXPECT_EQ(depreciationYearLabel("Year", 2), "Year 2:");
    EXPECT_EQ(depreciationRateLabel("2x"), "x 2x% =");
    // Each box, once left, shows the figure the schedule uses of it.
    using enum DepreciationBox;
    const auto left = [](DepreciationBox box, const std::string& typed, NumberMarks marks) {
        const LeftBox l = leaveDepreciationBox(box, typed, marks);
        return l.text + " " + l.problem;
    };
    const std::tuple<DepreciationBox, std::string, NumberMarks, std::string> told[] = {
        {Cost, "55,55", Point, "55"},      {Cost, "0,0001", Point, "0"},
        {Cost, "1.234,5", Point, "1.234"}, {Cost, "1,234.5", Comma, "1"},
        {Cost, "0.00005", Point, "0"},     {Percent, "5e", Point, "5"},
        {Years, "2,5", Comma, "3"}};
    for (const auto& [box, typed, marks, shown] : told)
        EXPECT_EQ(left(box, typed, marks), shown + " \"" + typed + "\" is taken as " + shown);
    EXPECT_EQ(left(Cost, "9E99", Point), "9E99 \"9E99\" is too large a number");
    EXPECT_EQ(left(Percent, "1,", Comma), "1 "); // its label "x 1% ="
}

// Python works each schedule out exactly: the book value times the
// percentage over 100, held to four decimals with halves to even.
const char* const PythonSchedules = R"PY(
import sys
from decimal import Decimal, localcontext, ROUND_HALF_EVEN
TOP = 2 ** 63 - 1
def schedule(cost, percent, years):
    value = Decimal(cost).quantize(Decimal("0.0001"), rounding=ROUND_HALF_EVEN)
    rows = []
    for i in range(years):
        if i > 0:
            value -= rows[-1][1]
            if abs(value * 10000) > TOP:
                return "TooLarge"
        year = (value * Decimal(percent) / 100).quantize(Decimal("0.0001"), rounding=ROUND_HALF_EVEN)
        if abs(year * 10000) > TOP:
            return "TooLarge"
        rows.append((value, year))
    return " ".join("%d:%d" % (v * 10000, d * 10000) for v, d in rows)
bad = large = 0
with localcontext() as ctx:
    ctx.prec = 200
    for n, line in enumerate(open(sys.argv[1])):
        cost, percent, years, ours = line.rstrip("\n").split(" ", 3)
        want = schedule(cost, percent, int(years))
        large += want == "TooLarge"
        if want != ours:
            bad += 1
            print("case %d: %s at %s%% for %s years gives %s, Python %s" % (n, cost, percent, years, ours, want))
print("checked", n + 1, "of which beyond the range:", large)
sys.exit(1 if bad else 0)
)PY";

std::string randomNumber(std::mt19937_64& rng, int wholeDigits, int decimals) {
    std::string text = std::to_string(rng() % 10);
    for (int i = 1; i < wholeDigits; ++i)
        text += static_cast<char>('0' + rng() % 10);
    if (decimals > 0) text += '.';
    for (int i = 0; i < decimals; ++i)
        text += static_cast<char>('0' + rng() % 10);
    return text;
}

TEST(Depreciation, SchedulesAgreeWithPythonDecimal) {
    // Costs to four decimals, rates that end in 5 (ties are common), some
    // above 100 % or 300 % so that values leave the currency range.
    const char* const rates[] = {"50", "70", "12.5", "2.5", "0.5", "0.7", "33.3333", "7.25"};
    std::mt19937_64 rng(20261207);
    std::ostringstream cases;
    for (int i = 0; i < 400; ++i) {
        const std::string cost =
            randomNumber(rng, 1 + static_cast<int>(rng() % 12), static_cast<int>(rng() % 5));
        std::string percent = i % 3 == 0 ? rates[rng() % 8]
                                         : randomNumber(rng, 1 + static_cast<int>(rng() % 2),
                                                        static_cast<int>(rng() % 6));
        if (i % 40 == 7) percent = "3" + randomNumber(rng, 2, 1);
        if (i % 40 == 23) percent = "1" + randomNumber(rng, 2, 3);
        const int years = 1 + static_cast<int>(rng() % 60);
        const DepreciationSchedule s =
            depreciationSchedule(cost, percent, std::to_string(years), Point);
        cases << cost << ' ' << percent << ' ' << years << ' ';
        if (s.outcome == DepreciationSchedule::Outcome::CostTooLarge) cases << "TooLarge";
        for (std::size_t y = 0; y < s.years.size(); ++y)
            cases << (y ? " " : "") << s.years[y].bookValue.raw << ':'
                  << s.years[y].depreciation.raw;
        cases << '\n';
    }
    std::string out;
    const int status = calculator_tests::runPythonCheck(PythonSchedules, cases.str(), &out);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("checked 400"), std::string::npos) << out;
    EXPECT_EQ(out.find("beyond the range: 0"), std::string::npos) << out; // that path is met too
}

TEST(Payroll, PeriodsTotalsAndLeftBoxes) {
    PayrollSheet s(Point);
    // A new sheet: 09:00 am to 09:00 am, nothing worked.
    EXPECT_EQ(s.period[0].start, "09:00 am");
    EXPECT_EQ(s.period[6].lunch, "00:00");
    EXPECT_EQ(s.period[3].worked, "00:00");
    EXPECT_EQ(s.period[3].gross, "0.00");
    EXPECT_EQ(s.totalWorked, "0:00");
    EXPECT_EQ(s.totalNet, "0.00");

    struct Shift {
        std::string start, end, lunch, rate, worked, gross;
    } shifts[] = {
        {"09:00 am", "05:00 pm", "00:30", "20", "07:30", "150.00"},
        {"10:00 pm", "06:00 am", "00:00", "10", "08:00", "80.00"}, // over midnight
        {"01:00 pm", "05:00 pm", "00:00", "10", "04:00", "40.00"},
        {"17:00", "9:30 pm", "0:15", "12", "04:15", "51.00"},
        {"10:00 am", "06:00 am", "00:00", "1", "20:00", "20.00"}, // ends before it starts: next day
        {"09:00 am", "10:00 am", "02:00", "10", "00:00", "0.00"}, // lunch too long: nothing
        {"09:00 am", "09:00 am", "00:00", "10", "00:00", "0.00"},
    };
    for (int i = 0; i < 7; ++i) {
        s.period[i].start = shifts[i].start;
        s.period[i].end = shifts[i].end;
        s.period[i].lunch = shifts[i].lunch;
        s.period[i].rate = shifts[i].rate;
        s.PayTime(i);
        EXPECT_EQ(s.period[i].worked, shifts[i].worked) << i;
        EXPECT_EQ(s.period[i].gross, shifts[i].gross) << i;
    }
    EXPECT_EQ(s.period[3].start, "05:00 pm");
    EXPECT_EQ(s.totalWorked, "43:45");
    EXPECT_EQ(s.totalGross, "341.00");

    // 10 % of 150 leaves 135.00; a fixed 12.345 is held to 12.34 on leaving.
    s.percent[0] = "10";
    s.computeAll();
    EXPECT_EQ(s.period[0].deductions[0], "15");
    EXPECT_EQ(s.period[0].net, "135.00");
    EXPECT_EQ(s.deductionTotals[0], "34.10");
    s.period[0].deductions[3] = "12.345";
    EXPECT_EQ(s.leaveBox(0, PayrollSheet::Box::Fixed4), "");
    EXPECT_EQ(s.period[0].deductions[3], "12.34");
    EXPECT_EQ(s.period[0].net, "122.66");
    EXPECT_EQ(s.totalNet, "294.56"); // 341 - 34.10 - 12.34
    s.period[0].deductions[4] = "12.34500001";
    s.leaveBox(0, PayrollSheet::Box::Fixed5);
    EXPECT_EQ(s.period[0].deductions[4], "12.35"); // rounded once, from the digits typed
    s.period[0].deductions[4] = "12.355";
    s.leaveBox(0, PayrollSheet::Box::Fixed5);
    EXPECT_EQ(s.period[0].deductions[4], "12.36");
    s.period[0].deductions[5] = "12-3";
    EXPECT_EQ(s.leaveBox(0, PayrollSheet::Box::Fixed6), "\"12-3\" is taken as 12");
    EXPECT_EQ(s.period[0].deductions[5], "12");
    s.period[1].rate = "1,234.5";
    s.leaveBox(1, PayrollSheet::Box::Rate);
    EXPECT_EQ(s.period[1].rate, "1234.5");
    EXPECT_EQ(s.period[1].gross, "9,876.00");
    s.percent[1] = "150";
    s.leavePercent(1);
    EXPECT_EQ(s.percent[1], "99");
    s.percent[1] = "100";
    s.leavePercent(1);
    EXPECT_EQ(s.percent[1], "100");
    s.percent[1] = "55,55"; // left, a percentage shows the rate the deductions use
    EXPECT_EQ(s.leavePercent(1), "\"55,55\" is taken as 55");
    EXPECT_EQ(s.percent[1] + " " + s.period[1].deductions[1], "55 5431.8"); // of 9,876.00

    // Leaving a start that reads midnight or nothing, or a zero lunch, recomputes.
    s.period[0].start = "";
    s.leaveBox(0, PayrollSheet::Box::Start);
    EXPECT_EQ(s.period[0].start, "12:00 am");
    EXPECT_EQ(s.period[0].worked, "16:30"); // midnight to 05:00 pm less 00:30
    s.period[0].lunch = "0:00";
    s.leaveBox(0, PayrollSheet::Box::Lunch);
    EXPECT_EQ(s.period[0].lunch, "00:00");
    EXPECT_EQ(s.period[0].worked, "17:00");
    // An unreadable start keeps the period's time worked.
    s.period[0].start = "abc";
    s.PayTime(0);
    EXPECT_EQ(s.period[0].start, "abc");
    EXPECT_EQ(s.period[0].worked, "17:00");

    // Seven periods of 07:30 at 10.
    PayrollSheet w(Comma);
    for (int i = 0; i < 7; ++i) {
        w.period[i].end = "04:30 pm";
        w.period[i].rate = "10";
        w.PayTime(i);
    }
    EXPECT_EQ(w.totalWorked, "52:30");
    EXPECT_EQ(w.totalGross, "525,00");
    // A fixed deduction typed with the decimal comma keeps its fraction.
    w.period[0].deductions[3] = "12,50";
    w.leaveBox(0, PayrollSheet::Box::Fixed4);
    EXPECT_EQ(w.period[0].deductions[3], "12,5");
    EXPECT_EQ(w.period[0].net, "62,50");
    w.percent[2] = "12,5";
    w.computeAll();
    EXPECT_EQ(w.period[6].deductions[2], "9,38"); // 12.5 % of 75.00, to the cent
    w.percent[1] = "55.55";
    EXPECT_EQ(w.leavePercent(1), "\"55.55\" is taken as 55,55");
    EXPECT_EQ(w.period[6].deductions[1], "41,66"); // 55.55 % of 75.00
    w.period[5].rate = "922.337.203.685.477,5807"; // the largest, held to cents
    EXPECT_EQ(w.leaveBox(5, PayrollSheet::Box::Rate) + w.period[5].rate, "922337203685477,58");
    // Past the range, also by the system's rules: too large in every locale, the deduction kept.
    for (auto [sheet, typed] : {std::pair{&s, "9E99"}, std::pair{&s, "922337203685477.99"},
                                std::pair{&w, "922337203685477,99"}}) {
        sheet->period[2].deductions[3] = typed;
        EXPECT_EQ(sheet->leaveBox(2, PayrollSheet::Box::Fixed4) + " " +
                      sheet->period[2].deductions[3],
                  "The amount is too large. 0")
            << typed;
    }

    // Gross and deductions are worked out exactly: 0.0633 an hour for 01:30
    // is 0.09495, held to 0.0950 (a tie, to the even digit) and shown 0.10;
    // 15 % of 4.10 is 0.615, held to the even 0.62.
    PayrollSheet x(Point);
    x.period[0].end = "10:30 am";
    x.period[0].rate = "0.0633";
    x.period[1].end = "10:00 am";
    x.period[1].rate = "4.1";
    x.percent[0] = "15";
    x.computeAll();
    EXPECT_EQ(x.period[0].gross, "0.10");
    EXPECT_EQ(x.period[1].deductions[0], "0.62");
    EXPECT_EQ(x.deductionTotals[0], "0.63"); // 0.0950 at 15 % is 0.01425: 0.01

    // Beyond the currency range a figure says so: seven shifts of 23:59 at
    // 10^13 an hour each fit, their sum does not; one at 10^14 does not.
    PayrollSheet big(Point);
    big.percent[0] = "9";
    for (PayPeriodBoxes& p : big.period)
        p = {"12:00 am", "11:59 pm", "00:00", "0", "10000000000000"};
    big.computeAll();
    EXPECT_EQ(big.period[6].gross + " " + big.deductionTotals[0] + " " + big.totalGross + " " +
                  big.totalNet,
              "239,833,333,333,333.33 151,095,000,000,000.00 Overflow Overflow");
    // One deduction total past the range, another past it below zero: the net total fits.
    PayrollSheet edge(Point);
    for (int i : {0, 1}) {
        edge.period[i].deductions = {"0", "0", "0", "500000000000000", "-500000000000000", "0"};
        edge.PayTime(i);
    }
    EXPECT_EQ(edge.deductionTotals[3] + " " + edge.deductionTotals[4] + " " + edge.totalNet,
              "Overflow Overflow 0.00");
    big.period[0].rate = "100000000000000";
    big.PayTime(0);
    EXPECT_EQ(big.period[0].gross + big.period[0].deductions[0] + big.period[0].net,
              "OverflowOverflowOverflow");
}

} // namespace

TEST(Payroll, ColumnsWidenForTheirFiguresAsFarAsTheScreenAllows) {
    // What the boxes need and the screen's width (twips); the period and
    // totals columns' widths.
    const int cases[][4] = {
        {600, 28800, 1005, 1410},  // the design
        {2600, 28800, 2600, 2600}, // the largest amount on a wide screen
        {2600, 11000, 1005, 1410}, // a screen narrower than the design
        {2600, 19200, 1972, 1972}, // the screen's width shared out
        {1200, 12000, 1024, 1410}, // the totals cannot give: the periods do
    };
    for (const auto& [needed, screen, column, totals] : cases) {
        const PayrollColumns p = payrollColumns(needed, needed, screen);
        EXPECT_EQ(p.column, column) << needed << " " << screen;
        EXPECT_EQ(p.totals, totals) << needed << " " << screen;
        EXPECT_LE(p.windowWidth(), std::max(screen, 11865));
        EXPECT_EQ(p.totalsLeft(), p.periodLeft(6) + p.column + 300); // after the seventh
    }
    EXPECT_EQ(payrollColumns(0, 0, 0).windowWidth(), 11865);
}
