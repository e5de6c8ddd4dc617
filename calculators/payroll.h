// Seven pay periods side by side plus their totals. Each period turns its
// clock-in, clock-out and lunch into hours, prices them at the hourly rate,
// and takes off three percentage deductions and three fixed sums to reach
// the net. Every box is kept as the text the window shows, so PayTime reads
// those texts, recomputes one period and the totals, and writes back.
#pragma once

#include "book/currency.h"
#include "book/number_format.h"

#include <array>
#include <optional>
#include <string>

constexpr int PayPeriods = 7;

struct PayPeriodBoxes {
    std::string start, end, lunch; // PaySt, PayEnd, PayBreak
    std::string worked = "0";      // PayTotal
    std::string rate = "0";        // PayRate
    std::string gross = "0";       // PayGross
    // PayDe1 to PayDe6: 1 to 3 percentages of the gross, 4 to 6 fixed amounts.
    std::array<std::string, 6> deductions{"0", "0", "0", "0", "0", "0"};
    std::string net = "0"; // PayNet
};

// "hh:mm am" on the 12-hour clock (12:00 am is midnight, 12:00 pm noon).
std::string clockText(double dayFraction);
// "hh:mm" on the 24-hour clock, to the nearest second shown to the minute.
std::string durationText(double dayFraction);

class PayrollSheet {
  public:
    // The boxes as a new window shows them: 09:00 am to 09:00 am with no lunch
    // in every period, all seven computed.
    explicit PayrollSheet(NumberMarks marks);

    std::array<PayPeriodBoxes, PayPeriods> period;
    std::array<std::string, 3> percent; // PayP1 to PayP3
    std::string totalWorked = "0", totalGross = "0",
                totalNet = "0"; // PayTotalT, PayGrossT, PayNetT
    std::array<std::string, 6> deductionTotals{"0", "0", "0", "0", "0", "0"}; // PayDT(1..6)

    // Recomputes period i and every total.
    void PayTime(int i);
    void computeAll();

    // Leaving a box of period i. Times: an emptied box, or a text that reads
    // midnight, becomes "12:00am" (a lunch "00:00"); a text that is no time
    // is told, and the box shows the time last read there again. Amounts
    // (the rate and the fixed deductions 4 to 6): the reading held to two
    // decimals (halves to even) in the plain form; a text not read by the
    // system's rules shows its leading number, and is told (leaveFigureBox);
    // an emptied box shows 0. Then the period is recomputed. Returns what to tell
    // ("" for nothing): an amount beyond the currency range keeps the
    // period's figure, which its box shows again.
    enum class Box { Start, End, Lunch, Rate, Fixed4, Fixed5, Fixed6 };
    std::string leaveBox(int i, Box box);
    // Leaving percentage box n (0 to 2): it shows the rate the deductions use
    // (leaveFigureBox), above 100 "99", and every period is computed again.
    // Returns what to tell ("" for nothing).
    std::string leavePercent(int n);

  private:
    // A figure of the sheet; nullopt when it could not be worked out within
    // the currency range, and its box then says so (OverflowText).
    using Figure = std::optional<Currency>;
    using Row = std::array<Figure, PayPeriods>;

    std::string& text(int i, Box box);
    std::string money(const Figure& v) const;
    std::string plain(const Figure& v) const;

    NumberMarks marks_;
    // Each period's start, end and lunch as last read (in Box order).
    std::array<std::array<double, 3>, PayPeriods> times_{};
    std::array<double, PayPeriods> worked_{};
    Row gross_;
    std::array<Row, 6> deductions_;
};
