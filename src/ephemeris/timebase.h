// SPDX-License-Identifier: GPL-2.0-or-later
// Time base: UTC calendar time to the day count, and angle folding.
#pragma once

#include <ctime>

constexpr double PI = 3.141592653589793;
constexpr double TWO_PI = 6.283185307179586;
constexpr double HALF_PI = 1.5707963267948966;
constexpr double THREE_HALF_PI = 4.71238898038469;

// Julian Day of a calendar date; true from 1900 March 1 to 2100 February 28 (no century rule).
double julianDay(double year, double month, double day, double hour, double minute, double second);

// Days with fraction since 1900 January 0.5 UT (Julian Day 2415020.0).
double daysSince1900(const struct tm &utc);

// Folds any angle in radians into [0, 2pi], both ends included; non-finite input gives 0.
double reduceAngle(double x);
