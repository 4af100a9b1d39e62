// SPDX-License-Identifier: GPL-2.0-or-later
// What the applet's own code makes of given moments, for measuring it against a precise
// ephemeris: one line in, one line out.
//
//   YYYY-MM-DD HH:MM:SS [LONGITUDE]   the ephemeris at that UTC moment, the spot at LONGITUDE
//   face CM_DEG LONGITUDE X1 Y1 FAR1 ... X4 Y4 FAR4
//                                     where the face would draw a sky given from elsewhere
//
// Out: utc distance_au cm_deg dec_deg, then X Y far for satellites I to IV (planet radii, far 1
// beyond the planet), the longitude, then the marker's and each dot's column,row (the top-left
// pixel); "-" where nothing is drawn, "nan" for what a face line does not give.
#include "app/geometry.h"
#include "art/regions.h"
#include "ephemeris/ephemeris.h"
#include "ephemeris/timebase.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr double DEGREES_PER_RADIAN = 180 / PI;

void printFace(const char *utc, double distance, double cmDegrees, double decDegrees,
               const SatelliteOffset offsets[SATELLITE_COUNT], int longitude) {
    std::printf("%s %.9f %.9f %.9f", utc, distance, cmDegrees, decDegrees);
    for (int i = 0; i < SATELLITE_COUNT; i++)
        std::printf(" %.9f %.9f %d", offsets[i].x, offsets[i].y, offsets[i].farSide ? 1 : 0);
    SpotPlace spot = spotPosition(longitude);
    if (spot.x == NOT_VISIBLE)
        std::printf(" %d -", longitude);
    else
        std::printf(" %d %d,%d", longitude, spotMarkerColumn(spot), SPOT_ROW);
    for (int i = 0; i < SATELLITE_COUNT; i++) {
        SatellitePlace place = placeOnFace(offsets[i]);
        if (place.drawn)
            std::printf(" %d,%d", place.x, place.y);
        else
            std::printf(" -");
    }
    std::printf("\n");
}

bool dumpMoment(const char *line, int longitude) {
    struct tm utc = {};
    double seconds = 0;
    int spot = longitude, used = 0;
    if (std::sscanf(line, "%d-%d-%d%*1[ T]%d:%d:%lf%n", &utc.tm_year, &utc.tm_mon, &utc.tm_mday,
                    &utc.tm_hour, &utc.tm_min, &seconds, &used) != 6)
        return false;
    const char *rest = line + used;
    while (*rest == 'Z' || *rest == ' ') rest++;
    std::sscanf(rest, "%d", &spot); // stays the default when the line names no longitude
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year, utc.tm_mon,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, static_cast<int>(seconds));
    utc.tm_year -= 1900;
    utc.tm_mon -= 1;
    utc.tm_sec = static_cast<int>(seconds);
    computeEphemeris(daysSince1900(utc));
    SatelliteOffset offsets[SATELLITE_COUNT];
    for (int i = 0; i < SATELLITE_COUNT; i++)
        offsets[i] = satelliteOffset(ephemeris.satelliteRadius[i], ephemeris.satelliteAngle[i],
                                     ephemeris.earthDeclination);
    printFace(stamp, ephemeris.distanceAu, ephemeris.centralMeridian * DEGREES_PER_RADIAN,
              ephemeris.earthDeclination * DEGREES_PER_RADIAN, offsets, spot);
    return true;
}

bool dumpFace(const char *line) {
    double cm;
    int longitude, used = 0;
    if (std::sscanf(line, "face %lf %d%n", &cm, &longitude, &used) != 2) return false;
    SatelliteOffset offsets[SATELLITE_COUNT];
    for (SatelliteOffset &o : offsets) {
        int far = 0, n = 0;
        if (std::sscanf(line + used, "%lf %lf %d%n", &o.x, &o.y, &far, &n) != 3) return false;
        o.farSide = far != 0;
        used += n;
    }
    ephemeris.centralMeridian = reduceAngle(cm / DEGREES_PER_RADIAN);
    printFace("face", NAN, cm, NAN, offsets, longitude);
    return true;
}

} // namespace

int main(int argc, char **argv) {
    int longitude = argc > 1 ? std::atoi(argv[1]) : 80;
    char line[512];
    int status = 0;
    while (std::fgets(line, sizeof line, stdin)) {
        if (line[0] == '\n' || line[0] == '#') continue;
        bool done =
            std::strncmp(line, "face", 4) == 0 ? dumpFace(line) : dumpMoment(line, longitude);
        if (!done) {
            std::fprintf(stderr, "ephemeris_dump: cannot read: %s", line);
            status = 1;
        }
    }
    return status;
}
