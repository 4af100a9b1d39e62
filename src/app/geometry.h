// SPDX-License-Identifier: GPL-2.0-or-later
// Where the spot, the satellites and the distance's glyphs go on the face: pure arithmetic at
// 10 pixels per planet radius, kept apart from the copies so it can be checked on its own.
#pragma once

#include <limits>

constexpr double NOT_VISIBLE = std::numeric_limits<double>::max();

struct SpotPlace {
    double x, y; // planet radii from the central meridian and the equator, or NOT_VISIBLE
};

// The spot at the given System II longitude (degrees) against the current central meridian.
SpotPlace spotPosition(int longitude);

// Left column of the marker for a visible spot.
int spotMarkerColumn(const SpotPlace &spot);

struct SatelliteOffset {
    double x, y;  // planet radii along the equator (right) and across it (up), as seen
    bool farSide; // beyond the planet
};

SatelliteOffset satelliteOffset(double radius, double angle, double earthDeclination);

struct SatellitePlace {
    bool drawn; // false behind the disk or beyond the drawing bounds
    int x, y;   // top-left of the dot; the label stands at (x, LABEL_ROW)
};

// Where the face puts a satellite at that offset.
SatellitePlace placeOnFace(const SatelliteOffset &offset);
SatellitePlace satellitePlace(double radius, double angle, double earthDeclination);

// Glyph cells of the distance's first characters: 0-9 for digits, POINT_GLYPH_CELL for the rest.
// Returns how many there are (at most DISTANCE_CELLS).
int distanceCells(double distanceAu, int cells[]);
