#include "toolkit/month_grid.h"

#include "book/day_of_date.h"
#include "book/tmain.h"

#include <cmath>

namespace month_grid {

Cells build(int year, int month, int chosenDay, double today) {
    Cells cells{};
    const double first = Tmain::DayNumber(year, month, 1);
    const double start = first - (Tmain::Weekday(first) - 1); // the Sunday on or before the first
    const double todayWhole = dayOfDate(today);
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
