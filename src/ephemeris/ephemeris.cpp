// SPDX-License-Identifier: GPL-2.0-or-later
#include "ephemeris/ephemeris.h"
#include "ephemeris/ephemeris_steps.h"
#include "ephemeris/timebase.h"

#include <cmath>

EphemerisState ephemeris;

namespace {

constexpr double LIGHT_DAYS_PER_AU = 173.0;

// Mean orbital radius, amplitude of its periodic term, and the correction to the angle (degrees).
constexpr double RADIUS_MEAN[SATELLITE_COUNT] = {5.9061, 9.3972, 14.9894, 26.3649};
constexpr double RADIUS_TERM[SATELLITE_COUNT] = {0.0244, 0.0889, 0.0227, 0.1944};
constexpr double ANGLE_TERM[SATELLITE_COUNT] = {0.472, 1.073, 0.174, 0.845};

double radians(double degrees) {
    return (degrees * PI) / 180;
}

// An angle in degrees, in radians, folded into one turn.
double turn(double degrees) {
    return reduceAngle(radians(degrees));
}

} // namespace

void computeEphemerisSteps(double d, EphemerisSteps &s) {
    s.V = turn(134.63 + 0.00111587 * d);
    s.M = turn(358.476 + 0.9856003 * d);
    s.N = turn(225.328 + 0.0830853 * d + 0.33 * std::sin(s.V));
    s.J = turn(221.647 + 0.9025179 * d - 0.33 * std::sin(s.V));
    s.A = turn(1.916 * std::sin(s.M) + 0.020 * std::sin(s.M + s.M));
    s.B = turn(5.552 * std::sin(s.N) + 0.167 * std::sin(s.N + s.N));
    s.K = reduceAngle(s.J + s.A - s.B);
    s.R = 1.00014 - 0.01672 * std::cos(s.M) - 0.00014 * std::cos(s.M + s.M);
    s.r = 5.20867 - 0.25192 * std::cos(s.N) - 0.00610 * std::cos(s.N + s.N);
    s.delta = std::sqrt(s.r * s.r + s.R * s.R - 2 * s.r * s.R * std::cos(s.K));
    s.psi = std::asin(s.R * std::sin(s.K) / s.delta);
    s.tau = d - s.delta / LIGHT_DAYS_PER_AU;

    s.centralMeridian = reduceAngle(radians(290.28 + 870.1869088 * s.tau) + s.psi - s.B);
    s.u1 = reduceAngle(radians(84.5506 + 203.405863 * s.tau) + s.psi - s.B);
    s.u2 = reduceAngle(radians(41.5015 + 101.2916323 * s.tau) + s.psi - s.B);
    s.u3 = reduceAngle(radians(109.977 + 50.2345169 * s.tau) + s.psi - s.B);
    s.u4 = reduceAngle(radians(176.3586 + 21.4879802 * s.tau) + s.psi - s.B);

    s.lambda = reduceAngle(radians(238.05 + 0.083091 * d + 0.33 * std::sin(s.V)) + s.B);
    s.earthDeclination =
        radians(3.07 * std::sin(s.lambda + radians(44.5)) -
                2.15 * std::sin(s.psi) * std::cos(s.lambda + radians(24)) -
                1.31 * ((s.r - s.delta) / s.delta) * std::sin(s.lambda - radians(99.4)));
    s.G = turn(187.3 + 50.310674 * s.tau);
    s.H = turn(311.1 + 21.569229 * s.tau);
    s.p = 2 * (s.u1 - s.u2);
    s.q = 2 * (s.u2 - s.u3);

    const double term[SATELLITE_COUNT] = {s.p, s.q, s.G, s.H};
    const double u[SATELLITE_COUNT] = {s.u1, s.u2, s.u3, s.u4};
    for (int i = 0; i < SATELLITE_COUNT; i++) {
        s.satelliteRadius[i] = RADIUS_MEAN[i] - RADIUS_TERM[i] * std::cos(term[i]);
        s.satelliteAngle[i] = reduceAngle(u[i] + radians(ANGLE_TERM[i] * std::sin(term[i])));
    }
}

void computeEphemeris(double d) {
    EphemerisSteps s;
    computeEphemerisSteps(d, s);
    ephemeris.centralMeridian = s.centralMeridian;
    ephemeris.earthDeclination = s.earthDeclination;
    ephemeris.distanceAu = s.delta;
    for (int i = 0; i < SATELLITE_COUNT; i++) {
        ephemeris.satelliteRadius[i] = s.satelliteRadius[i];
        ephemeris.satelliteAngle[i] = s.satelliteAngle[i];
    }
}

void updateEphemerisAt(time_t t) {
    struct tm utc;
    if (gmtime_r(&t, &utc) == nullptr) return;
    computeEphemeris(daysSince1900(utc));
}

void updateEphemerisNow() {
    time_t t = time(nullptr);
    if (t == static_cast<time_t>(-1)) return;
    updateEphemerisAt(t);
}
