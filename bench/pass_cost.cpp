// SPDX-License-Identifier: GPL-2.0-or-later
// The cost of one main-loop pass at a fixed moment, 2000-01-01 12:00:00 UTC: X requests, heap
// allocations and wall time per pass, on the display in DISPLAY. Run it under callgrind with
//   --collect-atstart=no --toggle-collect='measuredPasses*'
// to count the pass's instructions alone. Usage: pass_cost [PASSES]
#include "app/applet.h"
#include "art/sheet.h"
#include "dock/dock.h"
#include "ephemeris/ephemeris.h"

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
}

namespace {

bool counting = false;
long allocations = 0;

} // namespace

// The clock, frozen here rather than by libfaketime, whose poll() wrapper would be counted in
// every pass.
extern "C" time_t time(time_t *t) {
    const time_t MILLENNIUM_NOON = 946728000;
    if (t) *t = MILLENNIUM_NOON;
    return MILLENNIUM_NOON;
}

// Every heap allocation of the process passes here; only those inside the measured passes count.
extern "C" void *malloc(size_t n) {
    allocations += counting;
    return __libc_malloc(n);
}
extern "C" void *calloc(size_t n, size_t size) {
    allocations += counting;
    return __libc_calloc(n, size);
}
extern "C" void *realloc(void *p, size_t n) {
    allocations += counting;
    return __libc_realloc(p, n);
}

__attribute__((noinline)) void measuredPasses(int passes, int &counter) {
    for (int i = 0; i < passes; i++) runPass(counter);
}

int main(int argc, char **argv) {
    const int passes = argc > 1 ? std::atoi(argv[1]) : 10200;
    char *appArgv[] = {const_cast<char *>("vandrel"), const_cast<char *>("150"), nullptr};
    connectDisplay(2, appArgv);
    createDockWindow(2, appArgv, masterSheetXpm, shapeMask, MASK_WIDTH, MASK_HEIGHT, "#181818",
                     "#79bdbf", "#ff0000", "#ffbf50", "#c5a6ff");
    spotLongitude = 150;
    std::memcpy(satelliteLetters, "IEGC", 4);
    updateEphemerisNow();
    int counter = FIRST_UPDATE_COUNTER;
    for (int i = 0; i < 1000; i++) runPass(counter); // the first exposures, lazy allocations
    XSync(dock.display, False);

    unsigned long firstRequest = NextRequest(dock.display);
    auto start = std::chrono::steady_clock::now();
    counting = true;
    measuredPasses(passes, counter);
    counting = false;
    XSync(dock.display, False);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    unsigned long requests = NextRequest(dock.display) - firstRequest - 1; // less XSync's own

    std::printf("passes %d\n", passes);
    std::printf("X requests per pass %.2f\n", static_cast<double>(requests) / passes);
    std::printf("heap allocations per pass %.4f\n", static_cast<double>(allocations) / passes);
    std::printf("wall time per pass, server included %.2f us\n", seconds * 1e6 / passes);
    return 0;
}
