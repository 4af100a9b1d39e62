// SPDX-License-Identifier: GPL-2.0-or-later
// The applet on the desks that dock it: each window manager from its Debian package, on its own
// Xvfb, with a home holding only the configuration in docs/desks/. The tile must sit in the
// window manager's dock, alone, showing the exact face read back from the screen.
#include <gtest/gtest.h>

#include "x_support.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Where a tile's top-left corner may lie on the 640x480 screen.
struct Area {
    int left, top, right, bottom;
};

struct Desk {
    const char *name;
    const char *packages; // Debian's, that scripts/test installs
    std::vector<std::string> command;
    const char *config;      // folder of docs/desks/ copied into home, or null
    const char *configAt;    // where in home it goes
    bool configStartsApplet; // "starts": the configuration starts vandrel, not the test
    const char *container;   // WM_CLASS name or class of the swallowing window; null: the WM's dock
    Area place;
    std::vector<std::string> companion; // started over the window manager, or empty
};

void PrintTo(const Desk &desk, std::ostream *out) {
    *out << desk.name;
}

// Where the docks put the tile on a 640x480 screen.
constexpr Area TOP_LEFT = {0, 0, 4, 4}, TOP_RIGHT = {570, 0, 580, 4},
               RIGHT_MIDDLE = {570, 200, 580, 220}, RIGHT_EDGE = {570, 150, 580, 250},
               SECOND_DOCK_SLOT = {570, 60, 580, 70};

// clang-format off
const Desk DESKS[] = {
    // name             packages         command                      config         into home          starts container      place     companion
    {"Openbox",          "openbox",       {"openbox", "--sm-disable"}, nullptr,       nullptr,           false, nullptr,       TOP_LEFT, {}},
    {"Fluxbox",          "fluxbox",       {"fluxbox"},                 "fluxbox",     ".fluxbox",        false, nullptr,       RIGHT_MIDDLE, {}},
    {"Blackbox",         "blackbox",      {"blackbox"},                nullptr,       nullptr,           false, nullptr,       RIGHT_MIDDLE, {}},
    {"Pekwm",            "pekwm",         {"pekwm"},                   nullptr,       nullptr,           false, nullptr,       TOP_RIGHT, {}},
    {"IceWM",            "icewm",         {"icewm"},                   nullptr,       nullptr,           false, nullptr,       RIGHT_EDGE, {}},
    {"WindowMaker",      "wmaker",        {"wmaker"},                  "windowmaker", "GNUstep/Defaults", true,  nullptr,       SECOND_DOCK_SLOT, {}},
    {"AfterStepWharf",   "afterstep",     {"afterstep"},               "afterstep",   ".afterstep",      true,  "Wharf",       TOP_RIGHT, {}},
    {"FvwmButtons",      "fvwm",          {"fvwm"},                    "fvwm",        ".fvwm",           true,  "FvwmButtons", TOP_RIGHT, {}},
    // Each window manager's own start-up file, run the way Debian's sessions run it.
    {"OpenboxAutostart", "openbox",       {"openbox-session"},         "openbox",     ".config/openbox", true,  nullptr,       TOP_LEFT, {}},
    {"FluxboxStartup",   "fluxbox",       {"startfluxbox"},            "fluxbox",     ".fluxbox",        true,  nullptr,       RIGHT_MIDDLE, {}},
    {"PekwmStart",       "pekwm",         {"pekwm"},                   "pekwm",       ".pekwm",          true,  nullptr,       TOP_RIGHT, {}},
    {"IceWMStartup",     "icewm",         {"icewm-session"},           "icewm",       ".icewm",          true,  nullptr,       RIGHT_EDGE, {}},
    {"OpenboxWithPicom", "openbox picom", {"openbox", "--sm-disable"}, nullptr,       nullptr,           false, nullptr,       TOP_LEFT,
     {"picom", "--backend", "xrender", "--config", "/dev/null"}},
};
// clang-format on

// 2000-01-01 12:00 UTC, spot 80, the longitude the desks' configuration lines give: the angle
// from the central meridian is 92.9 degrees, so the spot is round the limb and unmarked.
Face millenniumSpot80() {
    return composedFace(-1, {{43, 28, 'I'}, {37, 34, 'E'}}, "4.62145");
}

struct WindowInfo {
    bool viewable = false;
    int x = 0, y = 0;              // on the screen
    bool onScreen = false;         // viewable, and some of it inside every ancestor and the screen
    std::vector<Window> ancestors; // parent first, root last
};

int ignoreErrors(Display *, XErrorEvent *) {
    return 0;
}

WindowInfo inspect(Display *display, Window window) {
    WindowInfo info;
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, window, &a)) return info;
    info.viewable = a.map_state == IsViewable;
    // The visible part so far, in the coordinates of the window being climbed through.
    int left = 0, top = 0, right = a.width, bottom = a.height;
    Window w = window;
    for (;;) {
        Window root, parent, *children = nullptr;
        unsigned count;
        if (!XQueryTree(display, w, &root, &parent, &children, &count)) return info;
        if (children) XFree(children);
        if (!XGetWindowAttributes(display, w, &a)) return info;
        if (w == root) break;
        int dx = a.x + a.border_width, dy = a.y + a.border_width;
        left += dx, right += dx, top += dy, bottom += dy;
        info.x += dx, info.y += dy;
        XWindowAttributes p;
        if (!XGetWindowAttributes(display, parent, &p)) return info;
        left = std::max(left, 0), top = std::max(top, 0);
        right = std::min(right, p.width), bottom = std::min(bottom, p.height);
        info.ancestors.push_back(parent);
        w = parent;
    }
    info.onScreen = info.viewable && left < right && top < bottom;
    return info;
}

bool hasClass(Display *display, Window window, const std::string &name) {
    XClassHint hint;
    if (!XGetClassHint(display, window, &hint)) return false;
    bool found =
        (hint.res_name && name == hint.res_name) || (hint.res_class && name == hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return found;
}

// The 64x64 square of the screen at (x, y); what lies past the screen's edge reads as OFF_SCREEN.
constexpr Rgb OFF_SCREEN = 0x1000000;

Face screenAt(Display *display, int x, int y) {
    Face face;
    for (auto &row : face.pixel)
        for (Rgb &p : row) p = OFF_SCREEN;
    const int width = DisplayWidth(display, 0), height = DisplayHeight(display, 0);
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + FACE_SIZE, width), bottom = std::min(y + FACE_SIZE, height);
    if (left >= right || top >= bottom) return face;
    Face inside = readFace(display, DefaultRootWindow(display), std::min(left, width - FACE_SIZE),
                           std::min(top, height - FACE_SIZE));
    const int dx = std::min(left, width - FACE_SIZE) - x,
              dy = std::min(top, height - FACE_SIZE) - y;
    for (int j = top - y; j < bottom - y; j++)
        for (int i = left - x; i < right - x; i++) face.pixel[j][i] = inside.pixel[j - dy][i - dx];
    return face;
}

// What keeps the applet from being properly docked on desk, or "" when nothing does.
std::string dockingProblem(Display *display, const Desk &desk, Window main, Window icon,
                           const Face &want) {
    WindowInfo m = inspect(display, main), i = inspect(display, icon);
    if (!m.onScreen && !i.onScreen) return "no tile on the screen";
    if (m.onScreen && i.onScreen && (std::abs(m.x - i.x) > 2 || std::abs(m.y - i.y) > 2))
        return "two tiles: the main window at " + std::to_string(m.x) + "," + std::to_string(m.y) +
               " and the icon window at " + std::to_string(i.x) + "," + std::to_string(i.y);
    // With both shown, one over the other, the one a window manager reparented is the tile.
    const bool iconIsTile = i.onScreen && (!m.onScreen || i.ancestors.front() != main);
    const WindowInfo &tile = iconIsTile ? i : m;
    const std::string where = " (" + std::to_string(tile.x) + "," + std::to_string(tile.y) + ")";
    if (tile.ancestors.size() < 2) return "the tile is a bare top-level window" + where;
    if (desk.container) {
        bool found = false;
        for (Window a : tile.ancestors) found = found || hasClass(display, a, desk.container);
        if (!found) return std::string("the tile is not inside ") + desk.container + where;
    }
    if (tile.x < desk.place.left || tile.x > desk.place.right || tile.y < desk.place.top ||
        tile.y > desk.place.bottom)
        return "the tile is not in its dock's place" + where;
    Face seen = screenAt(display, tile.x, tile.y);
    std::string difference = firstPanelDifference(seen, want);
    if (!difference.empty()) return "the screen shows " + difference + where;
    // The shape: around the panel the screen shows the dock, not the face's teal border.
    for (int k = 0; k < 4; k++)
        if (seen.at(k, 30) == TEAL || seen.at(30, k) == TEAL)
            return "the face's border shows outside its shape" + where;
    return "";
}

class Desks : public testing::TestWithParam<Desk> {
  protected:
    void SetUp() override {
        adoptOrphans();
        ASSERT_FALSE(fakeTimeLibrary().empty()) << "libfaketime is not installed";
        const Desk &desk = GetParam();
        std::vector<std::string> programs = {desk.command[0]};
        if (!desk.companion.empty()) programs.push_back(desk.companion[0]);
        for (const std::string &program : programs)
            if (!onPath(program)) {
                ASSERT_FALSE(std::getenv("CI")) << program << " is not installed";
                GTEST_SKIP() << program << " is not installed (Debian: " << desk.packages
                             << "; scripts/test installs it)";
            }
        if (desk.config) {
            fs::create_directories(fs::path(home.path) / desk.configAt);
            fs::copy(fs::path(VANDREL_SOURCE_DIR) / "docs/desks" / desk.config,
                     fs::path(home.path) / desk.configAt, fs::copy_options::recursive);
        }
        writeAppletWrapper();
        x = startXvfb();
        startDesk();
        display = XOpenDisplay(x.name.c_str());
        ASSERT_NE(display, nullptr);
        XSetErrorHandler(ignoreErrors); // the window managers' windows come and go under us
    }

    void TearDown() override {
        if (display) XCloseDisplay(display);
        killDescendants();
        EXPECT_EQ(descendants(), std::vector<pid_t>{}) << "processes left behind";
    }

    static bool onPath(const std::string &program) {
        return std::system(("command -v " + program + " >/dev/null").c_str()) == 0;
    }

    // The desks start "vandrel" by name; this one is the build under test with a frozen clock.
    void writeAppletWrapper() {
        fs::create_directories(home.path + "/bin");
        std::string path = home.path + "/bin/vandrel";
        std::ofstream(path) << "#!/bin/bash\nexport LD_PRELOAD=" << fakeTimeLibrary()
                            << " FAKETIME='" << MILLENNIUM_NOON << "' TZ=UTC\nexec -a vandrel "
                            << builtVandrel() << " \"$@\"\n";
        fs::permissions(path, fs::perms::owner_all);
    }

    // What every program of the desk runs with: its display, the home, the wrapper first on PATH.
    std::vector<std::string> deskEnv() const {
        return {"DISPLAY=" + x.name, "HOME=" + home.path,
                "PATH=" + home.path + "/bin:" + std::getenv("PATH")};
    }

    void startDesk() {
        const Desk &desk = GetParam();
        // A desk that starts the applet itself needs no sign that it is ready, and one window
        // manager is better not asked: Window Maker, handed a probe window of ours during its
        // start-up, now and then hangs with the server grabbed (3 starts in 40 under load).
        wm = desk.configStartsApplet ? spawn(desk.command, deskEnv(), false)
                                     : startWindowManager(x, desk.command, deskEnv());
        if (!desk.companion.empty()) startCompanion();
        if (!desk.configStartsApplet) app = spawn({"vandrel", "80"}, deskEnv(), false);
    }

    // A compositor is ready when it owns the screen's compositing-manager selection.
    void startCompanion() {
        companion = spawn(GetParam().companion, deskEnv(), false);
        Display *d = XOpenDisplay(x.name.c_str());
        Atom selection = XInternAtom(d, "_NET_WM_CM_S0", False);
        for (int k = 0; k < 500 && XGetSelectionOwner(d, selection) == None; k++)
            sleepSeconds(0.02);
        bool owned = XGetSelectionOwner(d, selection) != None;
        XCloseDisplay(d);
        ASSERT_TRUE(owned) << GetParam().companion[0] << " did not start";
    }

    // Polls until the applet is docked as it should be; the last problem seen, or "".
    std::string waitUntilDocked(double seconds) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        std::string problem = "the applet's window never appeared";
        while (std::chrono::steady_clock::now() < deadline) {
            Window main = findWindowByClass(display, "vandrel", 0);
            Window icon = None;
            if (XWMHints *hints = main ? XGetWMHints(display, main) : nullptr) {
                icon = hints->icon_window;
                XFree(hints);
            }
            if (icon != None) {
                problem = dockingProblem(display, GetParam(), main, icon, millenniumSpot80());
                if (problem.empty()) return "";
            }
            sleepSeconds(0.05);
        }
        return problem;
    }

    TempDir home;
    Xvfb x;
    Child wm, companion, app;
    Display *display = nullptr;
};

TEST_P(Desks, DocksOneTileShowingTheExactFace) {
    EXPECT_EQ(waitUntilDocked(15), "");
}

// Desks whose applet the test starts itself, so that it can watch it outlive the window manager.
class Restarts : public Desks {};

std::vector<Desk> restartable() {
    std::vector<Desk> desks;
    for (const Desk &d : DESKS)
        if (!d.configStartsApplet && d.companion.empty()) desks.push_back(d);
    return desks;
}

TEST_P(Restarts, ADeadWindowManagerReplacedDocksItAgain) {
    ASSERT_EQ(waitUntilDocked(15), "");
    killDescendants(wm.pid);
    kill(wm.pid, SIGKILL);
    waitForExit(wm, 5);
    sleepSeconds(0.5); // the applet learns what it lost
    ASSERT_EQ(waitForExit(app, 0), -1) << "the applet ended with its window manager";
    wm = startWindowManager(x, GetParam().command, deskEnv());
    EXPECT_EQ(waitUntilDocked(15), "");
    EXPECT_EQ(waitForExit(app, 0), -1) << "the applet ended";
}

class OpenboxRestart : public Desks {};

Window parentOf(Display *display, Window window) {
    Window root, parent = None, *children = nullptr;
    unsigned count;
    XQueryTree(display, window, &root, &parent, &children, &count);
    if (children) XFree(children);
    return parent;
}

TEST_P(OpenboxRestart, RestartingInPlaceDocksItAgain) {
    ASSERT_EQ(waitUntilDocked(15), "");
    Window main = findWindowByClass(display, "vandrel", 0);
    XWMHints *hints = XGetWMHints(display, main);
    ASSERT_NE(hints, nullptr);
    Window icon = hints->icon_window, dock = parentOf(display, icon);
    XFree(hints);
    Child restart = spawn({"openbox", "--restart"}, deskEnv(), false);
    ASSERT_NE(waitForExit(restart, 10), -1);
    for (int k = 0; k < 500 && parentOf(display, icon) == dock; k++) sleepSeconds(0.02);
    ASSERT_NE(parentOf(display, icon), dock) << "openbox did not restart";
    EXPECT_EQ(waitUntilDocked(15), "");
    EXPECT_EQ(waitForExit(app, 0), -1) << "the applet ended";
}

// The user's terminal, focused by a click, keeps the keyboard while the pointer crosses the tile
// on its way to an empty part of the desk: the applet reads no keys and takes no focus.
class Focus : public Desks {
  protected:
    void xdotool(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        Child tool = spawn(args, {"DISPLAY=" + x.name}, false);
        ASSERT_EQ(waitForExit(tool, 10), 0) << args[1];
    }

    bool within(Window window, Window ancestor) {
        if (window == ancestor) return true;
        if (window == None || window == PointerRoot) return false;
        WindowInfo info = inspect(display, window);
        return std::find(info.ancestors.begin(), info.ancestors.end(), ancestor) !=
               info.ancestors.end();
    }
};

TEST_P(Focus, PassingThePointerOverTheTileLeavesTheFocusWithTheUsersWindow) {
    ASSERT_EQ(waitUntilDocked(15), "");
    Window main = findWindowByClass(display, "vandrel", 0);
    XWMHints *hints = XGetWMHints(display, main);
    ASSERT_NE(hints, nullptr);
    WindowInfo tile = inspect(display, hints->icon_window);
    XFree(hints);

    Child terminal = spawn({"xterm", "-geometry", "30x8+200+150"}, deskEnv(), false);
    Window term = findWindowByClass(display, "xterm", 10);
    ASSERT_NE(term, None) << "xterm did not start";
    WindowInfo where;
    for (int k = 0; k < 250 && !(where = inspect(display, term)).onScreen; k++) sleepSeconds(0.02);
    ASSERT_TRUE(where.onScreen) << "xterm never showed";
    xdotool({"mousemove", std::to_string(where.x + 40), std::to_string(where.y + 30)});
    xdotool({"click", "1"});
    Window focus = None;
    int revert;
    for (int k = 0; k < 250 && !within(focus, term); k++) {
        sleepSeconds(0.02);
        XGetInputFocus(display, &focus, &revert);
    }
    ASSERT_TRUE(within(focus, term)) << "the click did not focus the terminal";
    const Window chosen = focus;

    xdotool({"mousemove", std::to_string(tile.x + 32), std::to_string(tile.y + 32)});
    sleepSeconds(0.3); // thirty passes of the applet over the tile
    xdotool({"mousemove", "100", "400"});
    sleepSeconds(0.3);
    XGetInputFocus(display, &focus, &revert);
    EXPECT_EQ(focus, chosen) << "the keyboard went elsewhere";
    EXPECT_EQ(waitForExit(app, 0), -1) << "the applet ended";
}

std::vector<Desk> desksNamed(std::initializer_list<std::string> names) {
    std::vector<Desk> desks;
    for (const Desk &d : DESKS)
        if (std::find(names.begin(), names.end(), d.name) != names.end()) desks.push_back(d);
    return desks;
}

std::string deskName(const testing::TestParamInfo<Desk> &info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Matrix, Desks, testing::ValuesIn(DESKS), deskName);
INSTANTIATE_TEST_SUITE_P(Matrix, Restarts, testing::ValuesIn(restartable()), deskName);
INSTANTIATE_TEST_SUITE_P(Matrix, OpenboxRestart, testing::ValuesIn(desksNamed({"Openbox"})),
                         deskName);
INSTANTIATE_TEST_SUITE_P(Matrix, Focus, testing::ValuesIn(desksNamed({"Fluxbox", "Openbox"})),
                         deskName);

} // namespace
