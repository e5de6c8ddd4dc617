#include "book/tmain.h"
#include "toolkit/month_grid.h"

#include <gtest/gtest.h>

namespace {

using namespace month_grid;

void expectDays(const Cells& cells, int firstCell, int days) {
    for (int i = 0; i < CellCount; ++i) {
        const bool inMonth = i >= firstCell && i < firstCell + days;
        EXPECT_EQ(cells[i].day, inMonth ? i - firstCell + 1 : 0) << "cell " << i;
        EXPECT_EQ(cells[i].enabled, inMonth) << "cell " << i;
    }
}

TEST(MonthGrid, MonthsLaidOutFromSunday) {
    const double farAway = Tmain::DayNumber(1990, 1, 1);
    expectDays(build(2026, 2, 0, farAway), 0, 28); // starts on a Sunday
    expectDays(build(2026, 8, 0, farAway), 6, 31); // starts on a Saturday: fills cell 36
    expectDays(build(2026, 3, 0, farAway), 0, 31);
    expectDays(build(2026, 4, 0, farAway), 3, 30);
    expectDays(build(2000, 2, 0, farAway), 2, 29);
    expectDays(build(1900, 2, 0, farAway), 4, 28);
    expectDays(build(2100, 2, 0, farAway), 1, 28);
}

TEST(MonthGrid, TodayAndTheChosenDay) {
    const double today = Tmain::DayNumber(2026, 2, 10) + 0.4; // the time of day does not matter
    Cells cells = build(2026, 2, 12, today);
    EXPECT_EQ(cells[9].textColour, TodayText);
    EXPECT_EQ(cells[11].textColour, ChosenText);
    EXPECT_EQ(cells[10].textColour, DayText);
    cells = build(2026, 2, 10, today);
    EXPECT_EQ(cells[9].textColour, ChosenText); // the chosen day wins over today
    cells = build(2026, 3, 10, today);
    for (const DayCell& c : cells)
        EXPECT_NE(c.textColour, TodayText);
}

} // namespace
