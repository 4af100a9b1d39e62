// SPDX-License-Identifier: GPL-2.0-or-later
// Placement arithmetic of the frame, as tables; no X server needed.
#include <gtest/gtest.h>

#include "app/geometry.h"
#include "art/regions.h"
#include "ephemeris/ephemeris.h"
#include "ephemeris/timebase.h"

#include <cmath>
#include <limits>

namespace {

double degrees(double d) {
    return d * PI / 180;
}

TEST(SpotGeometry, MarkerColumnForEveryTenthOfARadius) {
    // xi: -10 -9 -8 | -7 .. 6 -> xi + 27 | 7 8 9 10; column 34 is never used.
    for (int xi = -10; xi <= 10; xi++) {
        int want = xi <= -8 ? 19 : xi <= 6 ? xi + 27 : xi == 7 ? 35 : xi + 28;
        // The middle of the tenth, so truncation toward zero gives xi on either side of 0.
        double x = (xi + (xi < 0 ? -0.5 : xi > 0 ? 0.5 : 0.0)) / 10;
        EXPECT_EQ(spotMarkerColumn({x, 0.42}), want) << "xi = " << xi;
    }
}

TEST(SpotGeometry, VisibilityAndColumnAgainstTheCentralMeridian) {
    const struct {
        double centralMeridian;
        int longitude;
        int column; // -1: not drawn
    } cases[] = {
        {degrees(80), 60, 30},
        {0.0, 0, 27},
        {degrees(37), 0, 33},
        {degrees(45), 0, 35},
        {HALF_PI, 0, 38},
        {THREE_HALF_PI, 0, 19},
        {std::nextafter(HALF_PI, PI), 0, -1},
        {std::nextafter(THREE_HALF_PI, 0.0), 0, -1},
        {degrees(80) + 2 * TWO_PI, 60 + 360, 30},
        {degrees(80), 60 - 720, 30},
    };
    for (const auto &c : cases) {
        ephemeris.centralMeridian = c.centralMeridian;
        SpotPlace spot = spotPosition(c.longitude);
        SCOPED_TRACE(testing::Message()
                     << "meridian " << c.centralMeridian << " spot " << c.longitude);
        if (c.column < 0) {
            EXPECT_EQ(spot.x, NOT_VISIBLE);
            EXPECT_EQ(spot.y, NOT_VISIBLE);
        } else {
            ASSERT_NE(spot.x, NOT_VISIBLE);
            EXPECT_EQ(spot.y, 0.42);
            EXPECT_EQ(spotMarkerColumn(spot), c.column);
        }
    }
}

TEST(SatelliteGeometry, PlacesAndBounds) {
    const struct {
        double radius, angle, declination;
        bool drawn;
        int x, y;
    } cases[] = {
        {5.9, PI + 0.1, 0.05, false, 0, 0}, // behind the disk
        {5.9, PI + 0.2, 0.05, true, 19, 28},
        {5.9, 0.1, 0.05, true, 35, 32},
        {5.9, 0.05, 0.05, true, 32, 32},
        {2.45, HALF_PI, 0.05, true, 54, 30}, // f = 24
        {2.5, HALF_PI, 0.05, false, 0, 0},   // f = 25
        {2.79, THREE_HALF_PI, 0.05, true, 3, 30},
        {2.81, THREE_HALF_PI, 0.05, false, 0, 0},
        // With u = 0 and a declination of -pi/2, Y equals the radius.
        {-2.95, 0.0, -HALF_PI, true, 30, 59}, // g = -29
        {-3.05, 0.0, -HALF_PI, false, 0, 0},  // g = -30
        {2.75, 0.0, -HALF_PI, true, 30, 3},   // g = 27
        {2.85, 0.0, -HALF_PI, false, 0, 0},   // g = 28
        {0.0, PI, 0.05, false, 0, 0},         // the centre, behind
        {0.0, 0.0, 0.05, true, 30, 30},
    };
    for (const auto &c : cases) {
        SatellitePlace p = satellitePlace(c.radius, c.angle, c.declination);
        SCOPED_TRACE(testing::Message() << "r " << c.radius << " u " << c.angle);
        EXPECT_EQ(p.drawn, c.drawn);
        if (c.drawn) {
            EXPECT_EQ(p.x, c.x);
            EXPECT_EQ(p.y, c.y);
        }
    }
}

TEST(SatelliteGeometry, WorkedDayPlacesIAndIIOnly) {
    computeEphemeris(36525.0);
    const struct {
        bool drawn;
        int x, y;
    } want[] = {{true, 43, 28}, {true, 37, 34}, {false, 0, 0}, {false, 0, 0}};
    for (int i = 0; i < 4; i++) {
        SatellitePlace p = satellitePlace(ephemeris.satelliteRadius[i], ephemeris.satelliteAngle[i],
                                          ephemeris.earthDeclination);
        EXPECT_EQ(p.drawn, want[i].drawn) << i;
        if (want[i].drawn) {
            EXPECT_EQ(p.x, want[i].x) << i;
            EXPECT_EQ(p.y, want[i].y) << i;
        }
    }
    computeEphemeris(45290.5);
    for (int i = 0; i < 4; i++)
        EXPECT_FALSE(satellitePlace(ephemeris.satelliteRadius[i], ephemeris.satelliteAngle[i],
                                    ephemeris.earthDeclination)
                         .drawn)
            << i;
}

TEST(DistanceGeometry, CellsOfTheFirstSevenCharacters) {
    const int P = POINT_GLYPH_CELL;
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double au;
        int count;
        int cells[7];
    } cases[] = {
        {5.123456, 7, {5, P, 1, 2, 3, 4, 6}},
        {12.3456789, 7, {1, 2, P, 3, 4, 5, 6}},
        {4.6214486, 7, {4, P, 6, 2, 1, 4, 5}},
        {-1.5, 7, {P, 1, P, 5, 0, 0, 0}},
        {inf, 3, {P, P, P}},
        {1e308, 7, {1, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto &c : cases) {
        int cells[7] = {};
        ASSERT_EQ(distanceCells(c.au, cells), c.count) << c.au;
        for (int k = 0; k < c.count; k++) EXPECT_EQ(cells[k], c.cells[k]) << c.au << " cell " << k;
    }
    int cells[7];
    int n = distanceCells(std::nan(""), cells);
    ASSERT_GE(n, 3); // "nan" or "-nan"
    for (int k = 0; k < n; k++) EXPECT_EQ(cells[k], P);
}

} // namespace
