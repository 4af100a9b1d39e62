// SPDX-License-Identifier: GPL-2.0-or-later
// libFuzzer target over everything that turns outside input into numbers and pixel places:
// the spot argument, angle folding, the ephemeris for any day count, and the frame geometry for
// any ephemeris state. The first byte picks which; the rest is the input.
#include "app/applet.h"
#include "app/geometry.h"
#include "art/regions.h"
#include "ephemeris/ephemeris.h"
#include "ephemeris/timebase.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

bool inTurn(double a) {
    return a >= 0.0 && a <= TWO_PI;
}

double takeDouble(const std::uint8_t *data, size_t size, size_t at) {
    double d = 0;
    if (size >= at + sizeof d) std::memcpy(&d, data + at, sizeof d);
    return d;
}

// atoi's reading, clamped: strtol reads the same text and saturates at its own wider range.
void spotArgument(const std::uint8_t *data, size_t size) {
    std::string text(reinterpret_cast<const char *>(data), size);
    text = text.c_str(); // up to the first NUL, as argv would hold it
    errno = 0;
    long long reference = std::strtoll(text.c_str(), nullptr, 10);
    if (reference > INT32_MAX) reference = INT32_MAX;
    if (reference < INT32_MIN) reference = INT32_MIN;
    check(parseSpotArgument(text.c_str()) == reference);
}

void angle(const std::uint8_t *data, size_t size) {
    double x = takeDouble(data, size, 0);
    double a = reduceAngle(x);
    check(inTurn(a));
    if (!std::isfinite(x)) check(a == 0.0);
    // Away from the turn's ends, the fold agrees with the exact remainder.
    if (std::isfinite(x) && std::fabs(x) < 1e6) {
        double exact = std::fmod(x, TWO_PI);
        if (exact < 0) exact += TWO_PI;
        if (exact > 1e-6 && exact < TWO_PI - 1e-6) check(std::fabs(a - exact) < 1e-6);
    }
}

void dayCount(const std::uint8_t *data, size_t size) {
    computeEphemeris(takeDouble(data, size, 0));
    const EphemerisState &e = ephemeris;
    check(inTurn(e.centralMeridian));
    check(std::isfinite(e.earthDeclination) && std::fabs(e.earthDeclination) < 0.1);
    check(e.distanceAu > 3.9 && e.distanceAu < 6.5);
    for (int i = 0; i < SATELLITE_COUNT; i++) {
        check(inTurn(e.satelliteAngle[i]));
        check(e.satelliteRadius[i] > 5.8 && e.satelliteRadius[i] < 26.6);
    }
}

void frame(const std::uint8_t *data, size_t size) {
    EphemerisState state = {};
    std::memcpy(&state, data, size < sizeof state ? size : sizeof state);
    std::int32_t longitude = 0;
    if (size >= sizeof state + sizeof longitude)
        std::memcpy(&longitude, data + sizeof state, sizeof longitude);
    ephemeris = state;

    SpotPlace spot = spotPosition(longitude);
    check((spot.x == NOT_VISIBLE) == (spot.y == NOT_VISIBLE));
    if (spot.x != NOT_VISIBLE) {
        int column = spotMarkerColumn(spot);
        check(column >= 19 && column <= 38 && column != 34);
    }
    for (int i = 0; i < SATELLITE_COUNT; i++) {
        SatellitePlace p = satellitePlace(state.satelliteRadius[i], state.satelliteAngle[i],
                                          state.earthDeclination);
        if (p.drawn) check(p.x >= 3 && p.x <= 54 && p.y >= 3 && p.y <= 59);
    }
    int cells[DISTANCE_CELLS + 1];
    cells[DISTANCE_CELLS] = -1; // a write past the seven would show here
    int count = distanceCells(state.distanceAu, cells);
    check(count >= 1 && count <= DISTANCE_CELLS && cells[DISTANCE_CELLS] == -1);
    for (int k = 0; k < count; k++) check(cells[k] >= 0 && cells[k] <= POINT_GLYPH_CELL);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size) {
    if (size == 0) return 0;
    switch (data[0] % 4) {
    case 0:
        spotArgument(data + 1, size - 1);
        break;
    case 1:
        angle(data + 1, size - 1);
        break;
    case 2:
        dayCount(data + 1, size - 1);
        break;
    default:
        frame(data + 1, size - 1);
        break;
    }
    return 0;
}
