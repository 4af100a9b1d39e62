#include "app/applet.h"
#include "app/geometry.h"
#include "art/regions.h"
#include "dock/dock.h"
#include "ephemeris/ephemeris.h"

namespace {

void copyRegion(const SheetRegion &r, int destX, int destY) {
    copySheetArea(r.x, r.y, r.width, r.height, destX, destY);
}

void drawSpot() {
    SpotPlace spot = spotPosition(spotLongitude);
    if (spot.x == NOT_VISIBLE || spot.y == NOT_VISIBLE) return;
    copyRegion(SPOT_MARKER, spotMarkerColumn(spot), SPOT_ROW);
}

void drawSatellites() {
    for (int i = 0; i < SATELLITE_COUNT; i++) {
        SatellitePlace place = satellitePlace(
            ephemeris.satelliteRadius[i], ephemeris.satelliteAngle[i], ephemeris.earthDeclination);
        if (!place.drawn) continue;
        copyRegion(SATELLITE_DOT, place.x, place.y);
        copyRegion(letterCell(satelliteLetters[i]), place.x, LABEL_ROW);
    }
}

void drawDistance() {
    int cells[DISTANCE_CELLS];
    int count = distanceCells(ephemeris.distanceAu, cells);
    for (int k = 0; k < count; k++)
        copyRegion(digitCell(cells[k]), DISTANCE_AT.x + GLYPH_WIDTH * k, DISTANCE_AT.y);
}

} // namespace

void composeFrame() {
    copyRegion(BACKGROUND, BACKGROUND_AT.x, BACKGROUND_AT.y);
    drawSpot();
    // The strips trim the marker to the disk; satellites come after so nothing trims them.
    copyRegion(BLANK_STRIP, LEFT_STRIP_AT.x, LEFT_STRIP_AT.y);
    copyRegion(BLANK_STRIP, RIGHT_STRIP_AT.x, RIGHT_STRIP_AT.y);
    drawSatellites();
    drawDistance();
}
