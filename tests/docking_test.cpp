// On a real desk: Openbox docks the applet's icon window, and the dock shows the right face.
#include <gtest/gtest.h>

#include "x_support.h"

#include <X11/Xutil.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace {

const Face MILLENNIUM_150 = millenniumFace();

struct TempDir {
    std::string path;
    TempDir() {
        char name[] = "/tmp/vandrel-test-XXXXXX";
        path = mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
};

bool viewable(Display *display, Window window) {
    XWindowAttributes a;
    return XGetWindowAttributes(display, window, &a) && a.map_state == IsViewable;
}

TEST(Docking, OpenboxDocksTheIconWindowShowingTheFace) {
    ASSERT_FALSE(fakeTimeLibrary().empty()) << "libfaketime is not installed";
    TempDir home;
    Xvfb x = startXvfb();
    Child wm = startOpenbox(x, home.path);
    Child app = spawn({builtVandrel(), "150"}, frozenClockEnv(x, MILLENNIUM_NOON));
    Display *display = XOpenDisplay(x.name.c_str());
    ASSERT_NE(display, nullptr);
    Window main = findWindowByClass(display, "vandrel", 10);
    ASSERT_NE(main, None);
    XWMHints *hints = XGetWMHints(display, main);
    ASSERT_NE(hints, nullptr);
    Window icon = hints->icon_window;
    XFree(hints);

    // Docked: the icon window has left the main window for a frame of the window manager's.
    Window root, parent = None, *children;
    unsigned count;
    std::string difference = "never docked";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (XQueryTree(display, icon, &root, &parent, &children, &count)) {
            if (children) XFree(children);
            if (parent != main && parent != root && viewable(display, icon)) {
                difference = firstPanelDifference(readFace(display, icon), MILLENNIUM_150);
                if (difference.empty()) break;
            }
        }
        sleepSeconds(0.05);
    }
    EXPECT_NE(parent, main);
    EXPECT_NE(parent, root);
    EXPECT_TRUE(viewable(display, icon));
    EXPECT_EQ(difference, "");
    EXPECT_EQ(waitForExit(app, 0), -1) << "the applet exited";
    XCloseDisplay(display);
}

TEST(Docking, RunScriptWithoutDisplayWritesTheDockTile) {
    TempDir home;
    std::string png = std::string(VANDREL_BUILD_DIR) + "/vandrel-dock.png";
    std::filesystem::remove(png);
    Child run = spawn({"bash", std::string(VANDREL_SOURCE_DIR) + "/scripts/run", "150"},
                      {"DISPLAY", std::string("FAKETIME=") + MILLENNIUM_NOON,
                       std::string("VANDREL_BUILD=") + VANDREL_BUILD_DIR, "HOME=" + home.path});
    int status = waitForExit(run, 120);
    std::string out = readAll(run.out), err = readAll(run.err);
    ASSERT_EQ(status, 0) << out << err;
    EXPECT_NE(out.find(png), std::string::npos) << out;
    ASSERT_GT(std::filesystem::file_size(png), 0u);
    EXPECT_EQ(firstPanelDifference(readPngFace(png), MILLENNIUM_150), "");
}

} // namespace
