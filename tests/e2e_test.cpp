// SPDX-License-Identifier: GPL-2.0-or-later
// The built applet on a private Xvfb with its clock frozen: what its window shows, read back by
// a second client, against the picture assembled from the artwork's tables.
#include <gtest/gtest.h>

#include "x_support.h"

#include <chrono>
#include <string>

namespace {

const char NEW_YEAR_2024[] = "2024-01-01 00:00:00";

// The applet's window as it settles: polled until it shows want, or for a few seconds.
std::string showsWithin(const std::string &when, const std::string &spot, const Face &want) {
    if (fakeTimeLibrary().empty()) return "libfaketime is not installed";
    Xvfb x = startXvfb();
    Child app = spawn({builtVandrel(), spot}, frozenClockEnv(x, when));
    Display *display = XOpenDisplay(x.name.c_str());
    if (!display) return "cannot connect to " + x.name;
    Window window = findWindowByClass(display, "vandrel", 10);
    std::string difference = "no window";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (window != None && std::chrono::steady_clock::now() < deadline) {
        XWindowAttributes a;
        XGetWindowAttributes(display, window, &a);
        if (a.map_state == IsViewable) {
            difference = firstPanelDifference(readFace(display, window), want);
            if (difference.empty()) break;
        }
        sleepSeconds(0.05);
    }
    if (waitForExit(app, 0) != -1) difference += " (the applet exited)";
    XCloseDisplay(display);
    return difference;
}

TEST(EndToEnd, MillenniumNoonSpot150) {
    EXPECT_EQ(showsWithin(MILLENNIUM_NOON, "150", millenniumFace()), "");
}

TEST(EndToEnd, SpotArgumentsOneTurnApartShowTheSameFace) {
    // 80 degrees against a central meridian of 115.4: 35.4 degrees, xi = 5, column 32.
    const Face want = composedFace(32, {}, "4.48114");
    for (const char *spot : {"80", "440", "-280"})
        EXPECT_EQ(showsWithin(NEW_YEAR_2024, spot, want), "") << "spot " << spot;
}

} // namespace
