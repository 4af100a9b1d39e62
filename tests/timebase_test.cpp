// SPDX-License-Identifier: GPL-2.0-or-later
#include "ephemeris/timebase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct DayCase {
    int year, month, day, hour, minute, second;
    double julian, days;
};

// The calendar's edges: the formula knows no century rule, so 1900 and 2100 are off by a day.
const DayCase DAY_CASES[] = {
    {2000, 1, 1, 12, 0, 0, 2451545.0, 36525.0},
    {2024, 1, 1, 0, 0, 0, 2460310.5, 45290.5},
    {1999, 12, 31, 23, 59, 59, 2451544.499988426, 36524.49998842599},
    {2024, 2, 29, 12, 0, 0, 2460370.0, 45350.0},
    {2024, 3, 15, 18, 30, 45, 2460385.271354167, 45365.27135416679},
    {1900, 3, 1, 0, 0, 0, 2415079.5, 59.5},
    {1900, 1, 1, 0, 0, 0, 2415019.5, -0.5},
    {2100, 2, 28, 0, 0, 0, 2488127.5, 73107.5},
    {2100, 3, 1, 0, 0, 0, 2488129.5, 73109.5},
};

TEST(TimeBase, JulianDayAndDayCountFromCalendar) {
    for (const DayCase &c : DAY_CASES) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " " << c.hour
                                        << ":" << c.minute << ":" << c.second);
        EXPECT_EQ(julianDay(c.year, c.month, c.day, c.hour, c.minute, c.second), c.julian);
        struct tm utc = {};
        utc.tm_year = c.year - 1900;
        utc.tm_mon = c.month - 1;
        utc.tm_mday = c.day;
        utc.tm_hour = c.hour;
        utc.tm_min = c.minute;
        utc.tm_sec = c.second;
        EXPECT_EQ(daysSince1900(utc), c.days);
    }
}

TEST(TimeBase, DayCountOfAFarFutureYearStaysFinite) {
    struct tm utc = {};
    utc.tm_year = std::numeric_limits<int>::max();
    utc.tm_mon = 11;
    utc.tm_mday = 31;
    EXPECT_TRUE(std::isfinite(daysSince1900(utc)));
    EXPECT_GT(daysSince1900(utc), 7.8e11);
}

TEST(ReduceAngle, ReferenceValuesOfBothPaths) {
    const struct {
        double x, reduced;
    } cases[] = {
        {0.0, 0.0},
        {-1.0, 5.283185307179586},
        {7.0, 0.7168146928204138},
        {-7.0, 5.5663706143591725},
        {6.283185307179586, 6.283185307179586},
        {-1e-300, 6.283185307179586},
        {9999.999, 3.451176277189276},
        {10000.0, 3.4521762772783404},
        {123456.789, 4.764084535490838},
    };
    for (const auto &c : cases) EXPECT_EQ(reduceAngle(c.x), c.reduced) << "x = " << c.x;
}

TEST(ReduceAngle, EveryDoubleLandsInOneTurn) {
    const double inf = std::numeric_limits<double>::infinity();
    const double cases[] = {-1e6,
                            -1e300,
                            1e300,
                            -9999.999,
                            -10000.0,
                            1.2e6,
                            1.349e10,
                            1.35e10,
                            -1.35e10,
                            1e308,
                            -1e308,
                            std::numeric_limits<double>::max(),
                            -2147483647.0 * PI / 180,
                            std::numeric_limits<double>::denorm_min()};
    for (double x : cases) {
        double a = reduceAngle(x);
        EXPECT_GE(a, 0.0) << "x = " << x;
        EXPECT_LE(a, TWO_PI) << "x = " << x;
    }
    EXPECT_EQ(reduceAngle(std::nan("")), 0.0);
    EXPECT_EQ(reduceAngle(inf), 0.0);
    EXPECT_EQ(reduceAngle(-inf), 0.0);
}

TEST(ReduceAngle, LargeNegativeAnglesKeepTheirPlaceInTheTurn) {
    // -1e6 rad is 159155 turns and 0.9428 rad short of another: the direct path must agree.
    EXPECT_NEAR(reduceAngle(-1e6), TWO_PI - reduceAngle(1e6), 1e-9);
    EXPECT_NEAR(reduceAngle(-10000.0 - 1.0), reduceAngle(-1.0 - 10000.0 + 1592 * TWO_PI), 1e-9);
}

} // namespace
