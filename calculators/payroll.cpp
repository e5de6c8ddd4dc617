#include "calculators/payroll.h"

#include "book/tmain.h"
#include "book/wide_sum.h"
#include "calculators/figure_box.h"
#include "calculators/number_reading.h"

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

long long secondsOf(double dayFraction) {
    return std::llround(dayFraction * 86400.0);
}

// The minutes a time-worked text stands for: 07:30 gives 450.
long long minutesOf(const std::string& worked) {
    const std::string tail = worked.size() > 2 ? worked.substr(worked.size() - 2) : worked;
    return std::llround(60 * Tmain::LeadingNumberValue(worked) + Tmain::LeadingNumberValue(tail));
}

// The pay for `minutes` (under a day) at `rate` an hour, held to four decimals
// (halves to even); nullopt beyond the currency range. A quotient by 60 that
// does not end keeps at least eleven places, far finer than the sixtieth of a
// ten-thousandth between such a value and a half, so it is held as the exact
// value would be.
std::optional<Currency> payFor(Currency rate, long long minutes) {
    try {
        const ExactDecimal pay = ExactDecimal::fromCurrency(rate) * ExactDecimal::fromInt(minutes) /
                                 ExactDecimal::fromInt(60);
        return pay.toCurrency();
    } catch (const DecimalOverflow&) {
        return std::nullopt;
    }
}

// A sum of figures worked out wide: nullopt when one of them is (it could
// not be worked out) or when the sum leaves the currency range.
class FigureSum {
  public:
    template <class Figures> FigureSum& plus(const Figures& figures) { return add(figures, 1); }
    template <class Figures> FigureSum& minus(const Figures& figures) { return add(figures, -1); }
    std::optional<Currency> value() const { return whole_ ? sum_.checked() : std::nullopt; }

  private:
    template <class Figures> FigureSum& add(const Figures& figures, int sign) {
        for (const std::optional<Currency>& f : figures) {
            if (!f)
                whole_ = false;
            else if (sign > 0)
                sum_ += *f;
            else
                sum_ -= *f;
        }
        return *this;
    }

    WideSum sum_;
    bool whole_ = true;
};

} // namespace

std::string clockText(double dayFraction) {
    const long long s = ((secondsOf(dayFraction) % 86400) + 86400) % 86400;
    const int hours = static_cast<int>(s / 3600), minutes = static_cast<int>(s / 60 % 60);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d %s", hours % 12 == 0 ? 12 : hours % 12, minutes,
                  hours < 12 ? "am" : "pm");
    return buf;
}

std::string durationText(double dayFraction) {
    const long long s = ((secondsOf(dayFraction) % 86400) + 86400) % 86400;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", static_cast<int>(s / 3600),
                  static_cast<int>(s / 60 % 60));
    return buf;
}

PayrollSheet::PayrollSheet(NumberMarks marks) : marks_(std::move(marks)) {
    gross_.fill(Currency());
    for (Row& row : deductions_)
        row.fill(Currency());
    for (int i = 0; i < PayPeriods; ++i) {
        period[i].start = period[i].end = clockText(0.375);
        period[i].lunch = "00:00";
        PayTime(i);
    }
}

std::string PayrollSheet::money(const Figure& v) const {
    return v ? formatAmount(*v, 2, marks_, true) : OverflowText;
}

std::string PayrollSheet::plain(const Figure& v) const {
    return v ? plainNumberText(*v, marks_.decimal) : OverflowText;
}

void PayrollSheet::computeAll() {
    for (int i = 0; i < PayPeriods; ++i)
        PayTime(i);
}

void PayrollSheet::PayTime(int i) {
    PayPeriodBoxes& p = period[i];
    // 1, 2. The start and end rewritten as clock texts.
    if (auto t = readTimeOfDay(p.start)) p.start = clockText(*t);
    if (auto t = readTimeOfDay(p.end)) p.end = clockText(*t);
    // 3. The time worked: a shift that ends before it starts runs into the
    // next day; a lunch longer than the shift leaves nothing worked.
    const auto start = readTimeOfDay(p.start), end = readTimeOfDay(p.end),
               lunch = readTimeOfDay(p.lunch);
    const std::optional<double> read[3] = {start, end, lunch};
    for (int b = 0; b < 3; ++b)
        if (read[b]) times_[i][b] = *read[b];
    if (start && end && lunch) {
        double span = *end - *start;
        if (span < 0) span += 1;
        worked_[i] = std::max(0.0, span - *lunch);
    }
    // 4. Time worked as shown.
    p.worked = durationText(worked_[i]);
    // 5. Gross pay from the whole minutes shown (an unreadable rate keeps the
    // previous gross).
    if (auto rate = readAmount(p.rate, marks_)) gross_[i] = payFor(*rate, minutesOf(p.worked));
    // 6, 7. The gross total.
    const Figure grossTotal = FigureSum().plus(gross_).value();
    p.gross = money(gross_[i]);
    totalGross = money(grossTotal);
    // 8. Percentage deductions, to the cent in one rounding.
    for (int n = 0; n < 3; ++n) {
        const std::optional<ExactDecimal> pc = readTypedDecimal(percent[n], marks_);
        deductions_[n][i] =
            gross_[i] && pc ? productToCurrency(ExactDecimal::fromCurrency(*gross_[i]), *pc, 2, 2)
                            : std::nullopt;
    }
    // 9. Fixed deductions (an amount beyond the range keeps the previous one).
    for (int n = 3; n < 6; ++n)
        if (auto d = readTypedAmount(p.deductions[n], marks_)) deductions_[n][i] = *d;
    // 10. Total time from the seven time-worked texts.
    long long minutes = 0;
    for (const PayPeriodBoxes& q : period)
        minutes += minutesOf(q.worked);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld:%02lld", minutes / 60, minutes % 60);
    totalWorked = buf;
    // 11. Deductions and their totals; the net total.
    std::array<Figure, 6> totals;
    for (int n = 0; n < 6; ++n) {
        p.deductions[n] = plain(deductions_[n][i]);
        totals[n] = FigureSum().plus(deductions_[n]).value();
        deductionTotals[n] = money(totals[n]);
    }
    // 12. The period's net.
    std::array<Figure, 6> taken;
    for (int n = 0; n < 6; ++n)
        taken[n] = deductions_[n][i];
    p.net = money(FigureSum().plus(std::array{gross_[i]}).minus(taken).value());
    // 13. The net total, from every figure summed wide: a deduction total
    // beyond the range may still leave a net within it.
    FigureSum net;
    net.plus(gross_);
    for (const Row& row : deductions_)
        net.minus(row);
    totalNet = money(net.value());
}

std::string& PayrollSheet::text(int i, Box box) {
    PayPeriodBoxes& p = period[i];
    switch (box) {
    case Box::Start:
        return p.start;
    case Box::End:
        return p.end;
    case Box::Lunch:
        return p.lunch;
    case Box::Rate:
        return p.rate;
    case Box::Fixed4:
        return p.deductions[3];
    case Box::Fixed5:
        return p.deductions[4];
    case Box::Fixed6:
        return p.deductions[5];
    }
    return p.rate;
}

std::string PayrollSheet::leaveBox(int i, Box box) {
    std::string& t = text(i, box);
    std::string problem;
    switch (box) {
    case Box::Start:
    case Box::End:
    case Box::Lunch: {
        // A text that is no time is told, and the box shows the time kept.
        const bool lunch = box == Box::Lunch;
        const double kept = times_[i][static_cast<int>(box)];
        const std::string keptText = lunch ? durationText(kept) : clockText(kept);
        if (const auto v = readTimeOfDay(t); !v && !t.empty()) {
            problem = "\"" + shortenForStatus(t) + "\" : Not a time, " + keptText + " kept";
            t = keptText;
        } else if (!v || secondsOf(*v) == 0) {
            t = lunch ? "00:00" : "12:00am";
        }
        break;
    }
    default:
        if (auto v = readAmount(t, marks_, 2)) {
            t = plainNumberText(*v, marks_.decimal);
        } else if (auto lead = readTypedAmount(t, marks_)) { // not by the system's rules
            const LeftBox left = leaveFigureBox(t, ExactDecimal::fromCurrency(*lead), marks_);
            t = left.text;
            problem = left.problem;
        } else {
            problem = "The amount is too large.";
        }
        // An emptied box pays or takes off nothing.
        if (t.empty()) t = "0";
        break;
    }
    PayTime(i);
    return problem;
}

std::string PayrollSheet::leavePercent(int n) {
    const LeftBox left = leaveFigureBox(percent[n], readTypedDecimal(percent[n], marks_), marks_);
    percent[n] = readTypedNumber(left.text, marks_) > 100 ? "99" : left.text;
    computeAll();
    return left.problem;
}
