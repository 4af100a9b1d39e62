// SPDX-License-Identifier: GPL-2.0-or-later
// One ephemeris update, for counting its instructions under callgrind with
//   --collect-atstart=no --toggle-collect='measuredUpdates*'
// Usage: update_cost [UPDATES]
#include "ephemeris/ephemeris.h"

#include <cstdio>
#include <cstdlib>

__attribute__((noinline)) void measuredUpdates(int updates) {
    double d = 45290.5; // 2024-01-01 00:00 UTC, then a second further each time
    for (int i = 0; i < updates; i++) {
        computeEphemeris(d);
        d += 1.0 / 86400;
    }
}

int main(int argc, char **argv) {
    const int updates = argc > 1 ? std::atoi(argv[1]) : 1000;
    measuredUpdates(updates);
    std::printf("updates %d, last distance %.5f AU\n", updates, ephemeris.distanceAu);
    return 0;
}
