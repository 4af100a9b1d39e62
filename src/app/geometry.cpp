// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/geometry.h"
#include "art/regions.h"
#include "ephemeris/ephemeris.h"
#include "ephemeris/timebase.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double PIXELS_PER_RADIUS = 10.0;
constexpr double SPOT_LATITUDE = 0.42; // planet radii from the equator, fixed

// The dot for X = Y = 0 goes to (30, 30); these bound f and g, the dot's offsets in pixels.
constexpr int SATELLITE_ORIGIN_X = 30;
constexpr int SATELLITE_ORIGIN_Y = 30;
constexpr double F_MIN = -27, F_MAX = 24;
constexpr double G_MIN = -29, G_MAX = 27;

// The marker's column rule: two linear pieces that meet towards the right limb, where the marker
// jumps two columns (column 34 is never used), and a floor that stops it at column 19 towards the
// left limb. The blank strips trim it where it overhangs the disk at either end.
constexpr int SPOT_RIGHT_LIMIT = 36;
constexpr int SPOT_RIGHT_TEST = 29;
constexpr int SPOT_RIGHT_OFFSET = 28;
constexpr int SPOT_LEFT_OFFSET = 25;
constexpr int SPOT_LEFT_FLOOR = 16;
constexpr int SPOT_COLUMN_SHIFT = 2;

} // namespace

SpotPlace spotPosition(int longitude) {
    double angle = (static_cast<double>(longitude) * -PI) / 180 + ephemeris.centralMeridian;
    angle = reduceAngle(angle);
    if (angle > HALF_PI && angle < THREE_HALF_PI) return {NOT_VISIBLE, NOT_VISIBLE};
    return {std::sin(angle), SPOT_LATITUDE};
}

int spotMarkerColumn(const SpotPlace &spot) {
    int xi = static_cast<int>(PIXELS_PER_RADIUS * spot.x);
    int yq = std::abs(static_cast<int>(PIXELS_PER_RADIUS * spot.y)) / 3;
    if (xi + SPOT_RIGHT_TEST > SPOT_RIGHT_LIMIT - yq) return xi + SPOT_RIGHT_OFFSET;
    int left =
        xi + SPOT_LEFT_OFFSET > SPOT_LEFT_FLOOR + yq ? xi + SPOT_LEFT_OFFSET : SPOT_LEFT_FLOOR + yq;
    return left + SPOT_COLUMN_SHIFT;
}

SatelliteOffset satelliteOffset(double radius, double angle, double earthDeclination) {
    return {radius * std::sin(angle), std::cos(angle) * -radius * std::sin(earthDeclination),
            angle > HALF_PI && angle < THREE_HALF_PI};
}

SatellitePlace placeOnFace(const SatelliteOffset &offset) {
    if (std::fabs(offset.x) < 1 && offset.farSide) return {false, 0, 0};
    // Bounds are tested before the conversion to int, which a NaN or a huge value would break.
    double f = std::trunc(PIXELS_PER_RADIUS * offset.x);
    double g = std::trunc(PIXELS_PER_RADIUS * offset.y);
    if (!(f >= F_MIN && f <= F_MAX) || !(g >= G_MIN && g <= G_MAX)) return {false, 0, 0};
    return {true, SATELLITE_ORIGIN_X + static_cast<int>(f),
            SATELLITE_ORIGIN_Y - static_cast<int>(g)};
}

SatellitePlace satellitePlace(double radius, double angle, double earthDeclination) {
    return placeOnFace(satelliteOffset(radius, angle, earthDeclination));
}

int distanceCells(double distanceAu, int cells[]) {
    char text[32]; // snprintf truncates whatever the value: only seven characters are shown
    std::snprintf(text, sizeof text, "%2.5f", distanceAu);
    int count = 0;
    for (; count < DISTANCE_CELLS && text[count] != '\0'; count++) {
        char c = text[count];
        // "nan" and "inf" would index past the digit font; they get the point glyph like '.'.
        cells[count] = c >= '0' && c <= '9' ? c - '0' : POINT_GLYPH_CELL;
    }
    return count;
}
