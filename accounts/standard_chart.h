// The standard chart of a trading business: 71 accounts numbered in blocks
// by class, the balance brought-forward account last.
#pragma once

#include "book/book.h"

#include <array>
#include <cstdint>

struct StandardAccount {
    int number;
    std::uint8_t type;
    const char* name;
};

inline constexpr int StandardChartSize = 71;
const std::array<StandardAccount, StandardChartSize>& standardChart();

// Replaces the whole account table by the standard chart: every old account,
// class and note is gone; LastAccount is 70. Nothing outside the account
// table changes.
void installStandardChart(Book& book);
