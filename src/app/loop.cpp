// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/applet.h"
#include "dock/dock.h"
#include "ephemeris/ephemeris.h"

#include <unistd.h>

namespace {

constexpr int UPDATE_EVERY = 102;
constexpr useconds_t PASS_SLEEP_US = 10000;

} // namespace

bool ephemerisUpdateDue(int &updateCounter) {
    if (updateCounter >= UPDATE_EVERY - 1) {
        updateCounter = 0;
        return true;
    }
    updateCounter++;
    return false;
}

// The applet reads no keys: pointer crossings, like clicks, are taken from the queue and left
// alone, so the keyboard stays with the window the user chose.
void handleEvent(const XEvent &event) {
    switch (event.type) {
    case Expose:
        refreshWindows();
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == dock.iconWindow) replaceIconWindow();
        break;
    default:
        break;
    }
}

void runPass(int &updateCounter) {
    XEvent event;
    // XPending first, so the pass never waits on the server.
    while (XPending(dock.display)) {
        XNextEvent(dock.display, &event);
        handleEvent(event);
    }
    composeFrame();
    if (ephemerisUpdateDue(updateCounter)) updateEphemerisNow();
    refreshWindows();
}

void runMainLoop() {
    int updateCounter = FIRST_UPDATE_COUNTER;
    for (;;) {
        runPass(updateCounter);
        usleep(PASS_SLEEP_US);
    }
}
