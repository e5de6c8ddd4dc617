#include "toolkit/month_grid.h"

#include "book/tmain.h"

#include <cmath>

namespace month_grid {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return isLeapYear(year) ? 29 : 28;
    default:
        return 31;
    }
}

int weekdayOf(double dayNumber) {
    // Day 0, 30 December 1899, was a Saturday.
    const long long whole = static_cast<long long>(std::floor(dayNumber));
    const long long r = ((whole + 6) % 7 + 7) % 7;
    return static_cast<int>(r) + 1;
}

Cells build(int year, int month, int chosenDay, double today) {
    Cells cells{};
    const double first = Tmain::DayNumber(year, month, 1);
    const double start = first - (weekdayOf(first) - 1); // the Sunday on or before the first
    const double todayWhole = std::floor(today);
    for (int i = 0; i <= LastDayCell; ++i) {
        const double d = start + i;
        int y, m, day;
        Tmain::CalendarDate(d, y, m, day);
        if (i < 7 && day > 8) continue; // the previous month's end
        if (i >= 28 && day < 8) break;  // the next month's start
        DayCell& cell = cells[i];
        cell.day = day;
        cell.enabled = true;
        if (d == todayWhole) cell.textColour = TodayText;
        if (day == chosenDay) cell.textColour = ChosenText;
    }
    return cells;
}

} // namespace month_grid
