// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/applet.h"
#include "art/sheet.h"
#include "dock/dock.h"
#include "ephemeris/ephemeris.h"

#include <cstdio>
#include <cstring>

namespace {

// Handed to the sheet loader for its colour symbols; the sheet as shipped names none of them.
const char *const BACK_COLOR = "#181818";
const char *const LABEL_COLOR = "#79bdbf";
const char *const WIND_GUST_COLOR = "#ff0000";
const char *const DATA_COLOR = "#ffbf50";
const char *const STATION_TIME_COLOR = "#c5a6ff";

const char *const USAGE = "usage: vandrel <spot position>\n  spot position in lat. (e.g. 80)";

} // namespace

int main(int argc, char **argv) {
    connectDisplay(argc, argv);
    createDockWindow(argc, argv, masterSheetXpm, shapeMask, MASK_WIDTH, MASK_HEIGHT, BACK_COLOR,
                     LABEL_COLOR, WIND_GUST_COLOR, DATA_COLOR, STATION_TIME_COLOR);
    if (argc <= 1) {
        std::puts(USAGE);
        return 1;
    }
    spotLongitude = parseSpotArgument(argv[1]);
    std::memcpy(satelliteLetters, "IEGC", sizeof satelliteLetters);
    updateEphemerisNow();
    runMainLoop();
}
