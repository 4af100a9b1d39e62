// SPDX-License-Identifier: GPL-2.0-or-later
// Jupiter and its Galilean satellites from the day count: a short low-precision theory.
#pragma once

#include <ctime>

constexpr int SATELLITE_COUNT = 4;

struct EphemerisState {
    double centralMeridian;                  // System II, radians, 0 to 2pi
    double satelliteRadius[SATELLITE_COUNT]; // Jupiter equatorial radii
    double satelliteAngle[SATELLITE_COUNT];  // radians, 0 to 2pi; far side between pi/2 and 3pi/2
    double earthDeclination;                 // radians, as seen from Jupiter
    double distanceAu;                       // Earth to Jupiter
};

extern EphemerisState ephemeris;

void computeEphemeris(double d);

// Reads the clock; leaves the state as it was when the clock or its UTC conversion fails.
void updateEphemerisNow();
void updateEphemerisAt(time_t t);
