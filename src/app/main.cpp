#include "ephemeris/ephemeris.h"

#include <cstdio>

int main() {
    updateEphemerisNow();
    std::printf("vandrel: ephemeris built; the dock window comes next (distance %2.5f AU)\n",
                ephemeris.distanceAu);
    return 0;
}
