// SPDX-License-Identifier: GPL-2.0-or-later
#include "ephemeris/timebase.h"

#include <cmath>

namespace {

constexpr double JULIAN_DAY_1900 = 2415020.0;
constexpr double JULIAN_DAY_OFFSET = 1721013.5;

// Beyond this the direct path's turn count no longer fits 32 bits; the loop path is used only
// strictly inside (-DIRECT_PATH_FROM, DIRECT_PATH_FROM).
constexpr double DIRECT_PATH_FROM = 10000.0;
constexpr double TURN_COUNT_LIMIT = 2147483648.0 * TWO_PI;

// Truncation toward zero, as a 32-bit conversion would give, without its overflow.
double truncate(double x) {
    return std::trunc(x);
}

double foldOnce(double a) {
    if (a < 0.0) return a + TWO_PI;
    if (a > TWO_PI) return a - TWO_PI;
    return a;
}

} // namespace

double julianDay(double year, double month, double day, double hour, double minute, double second) {
    double a = truncate((month + 9) / 12);
    double b = truncate((year + a) * 7 * 0.25);
    double c = truncate(month * 275 / 9);
    double whole = 367 * year - b + c + day + JULIAN_DAY_OFFSET;
    double fraction = ((second / 60 + minute) / 60 + hour) / 24;
    return whole + fraction;
}

double daysSince1900(const struct tm &utc) {
    // Widened before the addition: a far-future clock may hold tm_year near INT_MAX.
    double year = static_cast<double>(static_cast<long long>(utc.tm_year) + 1900);
    double month = static_cast<double>(static_cast<long long>(utc.tm_mon) + 1);
    return julianDay(year, month, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec) -
           JULIAN_DAY_1900;
}

double reduceAngle(double x) {
    if (!std::isfinite(x)) return 0.0;
    if (x >= DIRECT_PATH_FROM || x <= -DIRECT_PATH_FROM) {
        // fmod is exact where the turn count would overflow; below that keep the two roundings
        // the ephemeris's reference values were computed with.
        if (std::fabs(x) >= TURN_COUNT_LIMIT) return foldOnce(std::fmod(x, TWO_PI));
        double k = truncate((0.5 * x) / PI);
        return foldOnce(x - k * TWO_PI);
    }
    while (x > TWO_PI) x -= TWO_PI;
    while (x < 0.0) x += TWO_PI;
    return x;
}
