// SPDX-License-Identifier: GPL-2.0-or-later
// Frames composed on the real sheet pixmap and read back from the server, against pictures
// assembled from the artwork's tables and the worked positions.
#include "dock_fixture.h"

#include "app/applet.h"
#include "ephemeris/ephemeris.h"
#include "ephemeris/timebase.h"

#include <cstring>

namespace {

class Compose : public DockOnXvfb {
  protected:
    void SetUp() override {
        DockOnXvfb::SetUp();
        std::memcpy(satelliteLetters, "IEGC", 4);
    }

    void expectFrame(const Face &want) {
        composeFrame();
        Face got = sheetFace();
        EXPECT_EQ(firstPanelDifference(got, want), "");
        // Outside the panel's composed area nothing changes: border and the grey edge as loaded.
        Face loaded = loadedFace();
        for (int y = 0; y < 64; y++)
            for (int x = 0; x < 64; x++) {
                bool outside = x < 3 || y < 3 || x > 58 || y > 58;
                ASSERT_TRUE(!outside || got.at(x, y) == loaded.at(x, y))
                    << "(" << x << "," << y << ")";
            }
    }

    // A state with every satellite far off the face, for looking at the spot alone.
    void spotOnly(double centralMeridian) {
        ephemeris = EphemerisState{};
        ephemeris.centralMeridian = centralMeridian;
        for (int i = 0; i < 4; i++) {
            ephemeris.satelliteRadius[i] = 20;
            ephemeris.satelliteAngle[i] = HALF_PI;
        }
        ephemeris.distanceAu = 5.123456;
        spotLongitude = 0;
    }
};

const Face MILLENNIUM_150 = millenniumFace();

TEST_F(Compose, MillenniumNoonWithTheSpotInView) {
    computeEphemeris(36525.0);
    spotLongitude = 150;
    expectFrame(MILLENNIUM_150);
}

TEST_F(Compose, AFrameIsItsCopiesAndNothingMore) {
    computeEphemeris(36525.0);
    spotLongitude = 150;
    // Background, marker, two strips, two dots, two labels, seven glyphs; then the two windows.
    unsigned long first = NextRequest(dock.display);
    composeFrame();
    EXPECT_EQ(NextRequest(dock.display) - first, 15u);
    first = NextRequest(dock.display);
    composeFrame();
    EXPECT_EQ(NextRequest(dock.display) - first, 15u) << "a repeated frame";
    first = NextRequest(dock.display);
    refreshWindows();
    EXPECT_EQ(NextRequest(dock.display) - first, 2u);
}

// A pass with pointer crossings, clicks and motion queued: they cost no request, so the pass
// is its 15 frame copies and its 2 window copies, and the focus is never touched.
TEST_F(Compose, APassAnswersInputEventsWithNothing) {
    computeEphemeris(36525.0);
    spotLongitude = 150;
    XSync(dock.display, False);
    XEvent drained;
    while (XPending(dock.display)) XNextEvent(dock.display, &drained); // the first exposures
    for (int type : {EnterNotify, LeaveNotify, ButtonPress, ButtonRelease, MotionNotify, KeyPress})
        for (Window w : {dock.mainWindow, dock.iconWindow}) {
            XEvent e = {};
            e.type = type;
            e.xany.window = w;
            XPutBackEvent(dock.display, &e);
        }
    int counter = 0; // no update due
    unsigned long first = NextRequest(dock.display);
    runPass(counter);
    EXPECT_EQ(NextRequest(dock.display) - first, 17u);
    EXPECT_EQ(XPending(dock.display), 0);
}

TEST_F(Compose, MillenniumNoonWithTheSpotOnTheFarSide) {
    computeEphemeris(36525.0);
    spotLongitude = 60;
    expectFrame(composedFace(-1, {{43, 28, 'I'}, {37, 34, 'E'}}, "4.62145"));
}

TEST_F(Compose, NewYear2024HasNoSatelliteNearThePlanet) {
    computeEphemeris(45290.5);
    spotLongitude = 60;
    expectFrame(composedFace(36, {}, "4.48114"));
}

TEST_F(Compose, MarkerAtItsExtremesIsTrimmedByTheStrips) {
    spotOnly(HALF_PI); // right edge: columns 38-41, 41 blanked
    expectFrame(composedFace(38, {}, "5.12346"));
    EXPECT_EQ(sheetFace().at(41, 29), BLACK);
    EXPECT_EQ(sheetFace().at(40, 29), DARK_RED);
    spotOnly(THREE_HALF_PI); // left edge: columns 19-22, 19-20 blanked
    expectFrame(composedFace(19, {}, "5.12346"));
    EXPECT_EQ(sheetFace().at(20, 29), BLACK);
    EXPECT_EQ(sheetFace().at(21, 29), DARK_RED);
}

TEST_F(Compose, AFrameLeavesNoTraceOnTheNext) {
    computeEphemeris(36525.0);
    spotLongitude = 150;
    expectFrame(MILLENNIUM_150);
    // Later satellites cover earlier ones where they overlap.
    ephemeris.satelliteRadius[2] = 0.3;
    ephemeris.satelliteAngle[2] = 0.0;
    ephemeris.satelliteRadius[3] = 0.35;
    ephemeris.satelliteAngle[3] = HALF_PI;
    expectFrame(
        composedFace(30, {{43, 28, 'I'}, {37, 34, 'E'}, {30, 30, 'G'}, {33, 30, 'C'}}, "4.62145"));
    computeEphemeris(45290.5);
    spotLongitude = 60;
    expectFrame(composedFace(36, {}, "4.48114"));
}

} // namespace
