// SPDX-License-Identifier: GPL-2.0-or-later
// The applet core: its two start-up values, the main loop and the frame composition.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

extern std::int32_t spotLongitude; // System II, whole degrees, as given
extern char satelliteLetters[4];   // labels of satellites I to IV

// atoi's reading of a number, clamped to the 32-bit range instead of overflowing.
std::int32_t parseSpotArgument(const char *text);

// True on the passes that recompute the ephemeris: the first, then every 102nd.
bool ephemerisUpdateDue(int &updateCounter);
constexpr int FIRST_UPDATE_COUNTER = 101;

void handleEvent(const XEvent &event);
// One pass without its closing sleep: events, frame, the due update, refresh.
void runPass(int &updateCounter);
[[noreturn]] void runMainLoop();

void composeFrame();
