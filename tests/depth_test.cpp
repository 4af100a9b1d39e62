// SPDX-License-Identifier: GPL-2.0-or-later
// The face on screens of other depths: as exact as the visual can show it, or a clear refusal
// when its colours cannot be had at all.
#include <gtest/gtest.h>

#include "x_support.h"

#include <X11/Xutil.h>
#include <sys/wait.h>

#include <bit>
#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

struct Screen {
    Xvfb x;
    Child app;
    Display *display = nullptr;
    Window window = None;
    ~Screen() {
        if (display) XCloseDisplay(display);
    }
};

// The applet at 2000-01-01 12:00 UTC, spot 150, on a screen of depth, settled on its first
// composed frame: the panel no longer shows the face as loaded.
void startOn(Screen &s, int depth) {
    ASSERT_FALSE(fakeTimeLibrary().empty()) << "libfaketime is not installed";
    s.x = startXvfb("640x480x" + std::to_string(depth));
    s.app = spawn({builtVandrel(), "150"}, frozenClockEnv(s.x, MILLENNIUM_NOON), false);
    s.display = XOpenDisplay(s.x.name.c_str());
    ASSERT_NE(s.display, nullptr);
    ASSERT_EQ(DefaultDepth(s.display, 0), depth);
    s.window = findWindowByClass(s.display, "vandrel", 10);
    ASSERT_NE(s.window, None);
    // The marker stands out of the belt and Io's dot out of the sky, as nowhere on the loaded
    // face: the frame is in.
    for (int k = 0; k < 250; k++) {
        XWindowAttributes a;
        XGetWindowAttributes(s.display, s.window, &a);
        if (a.map_state == IsViewable) {
            Face f = readFace(s.display, s.window);
            if (f.at(31, 29) != f.at(25, 29) && f.at(44, 29) != f.at(50, 29)) return;
        }
        sleepSeconds(0.02);
    }
    FAIL() << "no frame was composed";
}

int channelError(Rgb got, Rgb want, int shift) {
    return std::abs(static_cast<int>((got >> shift) & 0xFF) -
                    static_cast<int>((want >> shift) & 0xFF));
}

TEST(Depth, TrueColourOf24BitsIsExact) {
    Screen s;
    startOn(s, 24);
    EXPECT_EQ(firstPanelDifference(readFace(s.display, s.window), millenniumFace()), "");
}

// A channel of n bits shows 2^n levels over 0-255: the nearest level is within half a step of
// the colour asked for.
TEST(Depth, TrueColourOf16And15BitsIsWithinHalfAQuantisationStep) {
    for (int depth : {16, 15}) {
        Screen s;
        startOn(s, depth);
        Visual *v = DefaultVisual(s.display, 0);
        ASSERT_EQ(v->c_class, TrueColor);
        const struct {
            unsigned long mask;
            int shift; // of the channel in an Rgb
        } channels[] = {{v->red_mask, 16}, {v->green_mask, 8}, {v->blue_mask, 0}};
        const Face got = readFace(s.display, s.window), want = millenniumFace();
        for (const auto &c : channels) {
            const int levels = 1 << std::popcount(c.mask);
            const int halfStep = (255 + 2 * (levels - 1) - 1) / (2 * (levels - 1)); // rounded up
            int worst = 0;
            for (int y = 4; y <= 59; y++)
                for (int x = 4; x <= 59; x++)
                    worst = std::max(worst, channelError(got.at(x, y), want.at(x, y), c.shift));
            EXPECT_LE(worst, halfStep) << "depth " << depth << ", mask " << std::hex << c.mask;
        }
    }
}

// 8 bits of PseudoColor: every colour of the face gets one colormap entry of its own, the
// nearest the colormap holds, so which pixel is disk, mark or text is exactly as at 24 bits.
TEST(Depth, PseudoColourOf8BitsKeepsTheLayoutWithTheNearestColours) {
    Screen s;
    startOn(s, 8);
    ASSERT_EQ(DefaultVisual(s.display, 0)->c_class, PseudoColor);
    const Face got = readFace(s.display, s.window), want = millenniumFace();
    std::map<Rgb, Rgb> shownAs; // wanted colour -> the colour on screen
    std::map<Rgb, Rgb> wantedFor;
    for (int y = 4; y <= 59; y++)
        for (int x = 4; x <= 59; x++) {
            Rgb w = want.at(x, y), g = got.at(x, y);
            auto [it, fresh] = shownAs.emplace(w, g);
            ASSERT_EQ(it->second, g) << "0x" << std::hex << w << " is shown two ways";
            auto [back, unseen] = wantedFor.emplace(g, w);
            ASSERT_EQ(back->second, w) << "0x" << std::hex << g << " stands for two colours";
        }
    Colormap colormap = DefaultColormap(s.display, 0);
    std::vector<XColor> cells(256);
    for (int i = 0; i < 256; i++) cells[i].pixel = i;
    XQueryColors(s.display, colormap, cells.data(), 256);
    auto distance = [](Rgb a, Rgb b) {
        return channelError(a, b, 16) + channelError(a, b, 8) + channelError(a, b, 0);
    };
    for (const auto &[w, g] : shownAs) {
        int nearest = 3 * 255;
        for (const XColor &c : cells)
            nearest = std::min(
                nearest, distance(w, (c.red >> 8) << 16 | (c.green >> 8) << 8 | (c.blue >> 8)));
        EXPECT_EQ(distance(w, g), nearest) << "0x" << std::hex << w << " shown as 0x" << g;
    }
}

// Xvfb's PseudoColor colormap shares a colour cube, so near colours can always be had there. A
// GrayScale colormap whose every free cell another client took holds nothing near yellow.
TEST(Depth, AColormapWithNoColourToGiveIsRefusedWithAMessage) {
    Xvfb x = startXvfb("640x480x8", {"-cc", std::to_string(GrayScale)});
    Display *hog = XOpenDisplay(x.name.c_str());
    ASSERT_NE(hog, nullptr);
    Colormap colormap = DefaultColormap(hog, 0);
    unsigned long pixel;
    int taken = 0;
    while (XAllocColorCells(hog, colormap, False, nullptr, 0, &pixel, 1)) taken++;
    ASSERT_GT(taken, 0);
    XColor odd = {0, 0x1234, 0x5678, 0x9ABC, DoRed | DoGreen | DoBlue, 0};
    ASSERT_FALSE(XAllocColor(hog, colormap, &odd)) << "the colormap still has room";
    Child app = spawn({builtVandrel(), "80"}, {"DISPLAY=" + x.name});
    int status = waitForExit(app, 10);
    ASSERT_NE(status, -1) << "still running on a full colormap";
    EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readAll(app.err), "Not enough free colorcells.\n");
    XCloseDisplay(hog);
}

} // namespace
