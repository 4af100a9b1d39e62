// SPDX-License-Identifier: GPL-2.0-or-later
// Every quantity of one ephemeris computation, for checking the theory step by step.
#pragma once

#include "ephemeris/ephemeris.h"

struct EphemerisSteps {
    double V, M, N, J, A, B, K, R, r, delta, psi, tau;
    double centralMeridian, u1, u2, u3, u4, lambda, earthDeclination, G, H, p, q;
    double satelliteRadius[SATELLITE_COUNT];
    double satelliteAngle[SATELLITE_COUNT];
};

void computeEphemerisSteps(double d, EphemerisSteps &s);
