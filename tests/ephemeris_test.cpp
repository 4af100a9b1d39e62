// SPDX-License-Identifier: GPL-2.0-or-later
#include "ephemeris/ephemeris.h"
#include "ephemeris/ephemeris_steps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr double TOLERANCE = 5e-8;

struct Worked {
    double d;
    double V, M, N, J, A, B, K, R, r, delta, psi, tau;
    double centralMeridian, u1, u2, u3, u4, lambda, earthDeclination, G, H;
    double radius[4], angle[4];
};

// The reference values, rounded to seven decimals.
// clang-format off
const Worked WORKED[] = {
    // d, then V M N J A B K R r delta psi tau, then CM u1 u2 u3 u4 lambda De G H
    {45290.5,
     3.2317967, 6.2274462, 0.4934579, 0.9976944, 6.2812835, 0.0483312, 0.9474614, 0.9833068,
     4.9834413, 4.4811352, 0.1791215, 45290.4740975,
     2.0145762, 0.6983728, 2.0079003, 1.0918290, 5.3173723, 0.7683355, 0.0531708, 5.9616542,
     2.6477924,
     {5.9272440, 9.4201701, 14.9678633, 26.5360766},
     {0.6942614, 2.0259917, 1.0908693, 5.3243625}},
    {36525.0,
     3.0610833, 6.2400226, 0.3498534, 1.1534315, 6.2817123, 0.0350907, 1.1168678, 0.9832961,
     4.9673439, 4.6214486, 0.1924062, 36524.9732864,
     3.0175281, 2.9195255, 0.0816623, 0.2334961, 4.0714150, 0.6106185, 0.0505282, 5.9921320,
     1.5116826,
     {5.8860651, 9.3123675, 14.9676547, 26.3534150},
     {2.9148234, 0.0760624, 0.2326246, 4.0861373}},
};
// clang-format on

TEST(Ephemeris, EveryStepMatchesTheWorkedExamples) {
    for (const Worked &w : WORKED) {
        SCOPED_TRACE(testing::Message() << "d = " << w.d);
        EphemerisSteps s;
        computeEphemerisSteps(w.d, s);
        const struct {
            const char *name;
            double got, want;
        } rows[] = {
            {"V", s.V, w.V},
            {"M", s.M, w.M},
            {"N", s.N, w.N},
            {"J", s.J, w.J},
            {"A", s.A, w.A},
            {"B", s.B, w.B},
            {"K", s.K, w.K},
            {"R", s.R, w.R},
            {"r", s.r, w.r},
            {"delta", s.delta, w.delta},
            {"psi", s.psi, w.psi},
            {"tau", s.tau, w.tau},
            {"centralMeridian", s.centralMeridian, w.centralMeridian},
            {"u1", s.u1, w.u1},
            {"u2", s.u2, w.u2},
            {"u3", s.u3, w.u3},
            {"u4", s.u4, w.u4},
            {"lambda", s.lambda, w.lambda},
            {"earthDeclination", s.earthDeclination, w.earthDeclination},
            {"G", s.G, w.G},
            {"H", s.H, w.H},
        };
        for (const auto &row : rows) EXPECT_NEAR(row.got, row.want, TOLERANCE) << row.name;
        for (int i = 0; i < 4; i++) {
            EXPECT_NEAR(s.satelliteRadius[i], w.radius[i], TOLERANCE) << "radius " << i;
            EXPECT_NEAR(s.satelliteAngle[i], w.angle[i], TOLERANCE) << "angle " << i;
        }
    }
}

TEST(Ephemeris, PublicRecordCarriesTheResults) {
    const struct {
        double d;
        const char *printed;
    } cases[] = {{45290.5, "4.48114"}, {36525.0, "4.62145"}};
    for (const auto &c : cases) {
        computeEphemeris(c.d);
        char text[32];
        std::snprintf(text, sizeof text, "%2.5f", ephemeris.distanceAu);
        EXPECT_STREQ(text, c.printed);
    }
    const Worked &w = WORKED[1];
    EXPECT_NEAR(ephemeris.centralMeridian, w.centralMeridian, TOLERANCE);
    EXPECT_NEAR(ephemeris.earthDeclination, w.earthDeclination, TOLERANCE);
    for (int i = 0; i < 4; i++) {
        EXPECT_NEAR(ephemeris.satelliteRadius[i], w.radius[i], TOLERANCE);
        EXPECT_NEAR(ephemeris.satelliteAngle[i], w.angle[i], TOLERANCE);
    }
}

TEST(Ephemeris, SameDayCountGivesIdenticalRecords) {
    computeEphemeris(45290.5);
    EphemerisState first = ephemeris;
    computeEphemeris(36525.0);
    computeEphemeris(45290.5);
    EXPECT_EQ(std::memcmp(&first, &ephemeris, sizeof first), 0);
}

TEST(Ephemeris, UpdateFromClockValue) {
    // 2000-01-01 12:00:00 UTC
    updateEphemerisAt(946728000);
    EXPECT_NEAR(ephemeris.distanceAu, 4.6214486, TOLERANCE);
    EXPECT_NEAR(ephemeris.centralMeridian, 3.0175281, TOLERANCE);
}

TEST(Ephemeris, UnconvertibleClockLeavesTheRecordAlone) {
    computeEphemeris(36525.0);
    EphemerisState before = ephemeris;
    // Far beyond any year that struct tm can hold: gmtime fails.
    updateEphemerisAt(static_cast<time_t>(0x7fffffffffffffffLL));
    EXPECT_EQ(std::memcmp(&before, &ephemeris, sizeof before), 0);
}

} // namespace
