// SPDX-License-Identifier: GPL-2.0-or-later
// Milliseconds from starting the applet to its first composed frame on the screen, on a private
// Xvfb with the clock frozen; the median of several starts. Usage: startup_time [RUNS]
#include "x_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    const Face want = millenniumFace();
    Xvfb x = startXvfb();
    Display *display = XOpenDisplay(x.name.c_str());
    std::vector<std::string> env = frozenClockEnv(x, MILLENNIUM_NOON);
    env.push_back("FAKETIME_DONT_FAKE_MONOTONIC=1"); // so that steady_clock measures
    std::vector<double> times;
    for (int i = 0; i < runs; i++) {
        auto start = std::chrono::steady_clock::now();
        Child app = spawn({builtVandrel(), "150"}, env, false);
        Window window = findWindowByClass(display, "vandrel", 10);
        while (window != None) {
            XWindowAttributes a;
            XGetWindowAttributes(display, window, &a);
            if (a.map_state == IsViewable &&
                firstPanelDifference(readFace(display, window), want).empty())
                break;
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "start-up to first frame: median %.1f ms, fastest %.1f ms, slowest %.1f ms (%d runs)\n",
        times[times.size() / 2], times.front(), times.back(), runs);
    XCloseDisplay(display);
    return 0;
}
