// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/applet.h"
#include "app/geometry.h"
#include "art/regions.h"
#include "dock/dock.h"
#include "ephemeris/ephemeris.h"

#include <cstdint>
#include <cstring>

namespace {

// Background, marker, two strips, four dots, four labels, seven glyphs.
constexpr int MAX_FRAME_COPIES = 19;

struct SheetCopy {
    SheetRegion from;
    SheetPoint to;
};

// The picture changes only when its inputs do, about once a second, while a frame is composed a
// hundred times a second: the copies are worked out once per change and replayed every pass.
struct FramePlan {
    bool valid;
    EphemerisState ephemeris;
    std::int32_t spotLongitude;
    char satelliteLetters[4];
    SheetCopy copies[MAX_FRAME_COPIES];
    int count;
};

FramePlan plan;

void addCopy(const SheetRegion &from, int x, int y) {
    plan.copies[plan.count++] = {from, {x, y}};
}

void drawSpot() {
    SpotPlace spot = spotPosition(spotLongitude);
    if (spot.x == NOT_VISIBLE || spot.y == NOT_VISIBLE) return;
    addCopy(SPOT_MARKER, spotMarkerColumn(spot), SPOT_ROW);
}

void drawSatellites() {
    for (int i = 0; i < SATELLITE_COUNT; i++) {
        SatellitePlace place = satellitePlace(
            ephemeris.satelliteRadius[i], ephemeris.satelliteAngle[i], ephemeris.earthDeclination);
        if (!place.drawn) continue;
        addCopy(SATELLITE_DOT, place.x, place.y);
        addCopy(letterCell(satelliteLetters[i]), place.x, LABEL_ROW);
    }
}

void drawDistance() {
    int cells[DISTANCE_CELLS];
    int count = distanceCells(ephemeris.distanceAu, cells);
    for (int k = 0; k < count; k++)
        addCopy(digitCell(cells[k]), DISTANCE_AT.x + GLYPH_WIDTH * k, DISTANCE_AT.y);
}

bool planIsCurrent() {
    return plan.valid && std::memcmp(&plan.ephemeris, &ephemeris, sizeof ephemeris) == 0 &&
           plan.spotLongitude == spotLongitude &&
           std::memcmp(plan.satelliteLetters, satelliteLetters, sizeof satelliteLetters) == 0;
}

void planFrame() {
    plan.count = 0;
    addCopy(BACKGROUND, BACKGROUND_AT.x, BACKGROUND_AT.y);
    drawSpot();
    // The strips trim the marker to the disk; satellites come after so nothing trims them.
    addCopy(BLANK_STRIP, LEFT_STRIP_AT.x, LEFT_STRIP_AT.y);
    addCopy(BLANK_STRIP, RIGHT_STRIP_AT.x, RIGHT_STRIP_AT.y);
    drawSatellites();
    drawDistance();
    plan.ephemeris = ephemeris;
    plan.spotLongitude = spotLongitude;
    std::memcpy(plan.satelliteLetters, satelliteLetters, sizeof satelliteLetters);
    plan.valid = true;
}

} // namespace

void composeFrame() {
    if (!planIsCurrent()) planFrame();
    for (int i = 0; i < plan.count; i++) {
        const SheetCopy &c = plan.copies[i];
        copySheetArea(c.from.x, c.from.y, c.from.width, c.from.height, c.to.x, c.to.y);
    }
}
