// The day a date falls on, the one rule for placing a date by days.
#pragma once

#include <cmath>

// Dates are day numbers from 30 December 1899 with the time of day as the
// fraction. Before that day a number counts its days back and its time of
// day forward, so -1.5 is noon on day -1: the day of a date of either sign
// is its whole part, cut toward zero (a value that is not finite stays as it is).
inline double dayOfDate(double date) {
    return std::trunc(date);
}
