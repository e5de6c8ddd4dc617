// The month panel of the date picker: 42 day cells in six weeks from Sunday,
// with the colours of today and the chosen day.
#pragma once

#include "toolkit/ole_colour.h"

#include <array>
#include <cstdint>

namespace month_grid {

constexpr int CellCount = 42;
constexpr int LastDayCell = 36; // cells 37 to 41 are always blank

// Colours of a day's number (0x00BBGGRR).
constexpr std::uint32_t DayText = ole::rgb(0, 0, 192);
constexpr std::uint32_t TodayText = ole::rgb(255, 0, 255);
constexpr std::uint32_t ChosenText = ole::rgb(255, 0, 0);

struct DayCell {
    int day = 0;          // 0: blank
    bool enabled = false; // blank cells never take a click
    std::uint32_t textColour = DayText;
};

using Cells = std::array<DayCell, CellCount>;

// The cells of a month: its first day sits in the cell of its weekday in the
// first row. Today's day shows in TodayText; `chosenDay` (0 for none) in
// ChosenText, which wins when it is today as well.
Cells build(int year, int month, int chosenDay, double today);

} // namespace month_grid
