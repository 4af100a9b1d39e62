// SPDX-License-Identifier: GPL-2.0-or-later
// The applet under abuse: hostile arguments, an Expose storm, its X server dying, and a long
// run of passes; it must neither crash, hang, spin nor grow.
#include "dock_fixture.h"

#include "app/applet.h"
#include "ephemeris/ephemeris.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// User plus system CPU time of a process, in clock ticks.
long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; i++) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return utime + stime;
}

long residentKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

TEST(Hardening, HostileArgumentsKeepRunningAndCostNoMoreThanAPlainOne) {
    const std::vector<std::string> hostile = {"2147483647",
                                              "-2147483648",
                                              "99999999999999999999",
                                              "",
                                              " ",
                                              "nan",
                                              "1e999",
                                              std::string(20000, '9'),
                                              "-display",
                                              "\xff\xfe\xc0\x80 \xed\xa0\x80"};
    Xvfb x = startXvfb();
    Child plain = spawn({builtVandrel(), "80"}, {"DISPLAY=" + x.name}, false);
    std::vector<Child> apps;
    for (const std::string &argument : hostile)
        apps.push_back(spawn({builtVandrel(), argument}, {"DISPLAY=" + x.name}, false));
    sleepSeconds(2);
    long plainTicks = cpuTicks(plain.pid);
    ASSERT_EQ(waitForExit(plain, 0), -1);
    for (size_t i = 0; i < apps.size(); i++) {
        std::string shown = hostile[i].substr(0, 24);
        EXPECT_EQ(waitForExit(apps[i], 0), -1) << "exited with argument \"" << shown << "\"";
        // A pathological path would burn the whole two seconds; the margin absorbs tick noise.
        EXPECT_LE(cpuTicks(apps[i].pid), 2 * plainTicks + 10) << "argument \"" << shown << "\"";
    }
}

class Storm : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(fakeTimeLibrary().empty());
        x = startXvfb();
        app = spawn({builtVandrel(), "150"}, frozenClockEnv(x, MILLENNIUM_NOON), false);
        display = XOpenDisplay(x.name.c_str());
        ASSERT_NE(display, nullptr);
        main = findWindowByClass(display, "vandrel", 10);
        ASSERT_NE(main, None);
        XWMHints *hints = XGetWMHints(display, main);
        ASSERT_NE(hints, nullptr);
        icon = hints->icon_window;
        XFree(hints);
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }

    // The icon window that the hints name once it is not old, waiting up to seconds.
    Window iconReplacing(Window old, double seconds) {
        Window named = old;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (named == old && std::chrono::steady_clock::now() < deadline) {
            sleepSeconds(0.02);
            if (XWMHints *hints = XGetWMHints(display, main)) {
                named = hints->icon_window;
                XFree(hints);
            }
        }
        return named;
    }

    Xvfb x;
    Child app;
    Display *display = nullptr;
    Window main = None, icon = None;
};

TEST_F(Storm, TenThousandExposuresEachAreAbsorbed) {
    const Face want = millenniumFace();
    for (int i = 0; i < 10000; i++)
        for (Window w : {main, icon}) {
            XEvent e = {};
            e.xexpose.type = Expose;
            e.xexpose.window = w;
            e.xexpose.width = e.xexpose.height = 64;
            e.xexpose.count = 0;
            XSendEvent(display, w, False, ExposureMask, &e);
        }
    // The icon window destroyed behind the storm: a new one in the hints shows the queue was
    // worked through.
    XDestroyWindow(display, icon);
    XSync(display, False);
    EXPECT_NE(iconReplacing(icon, 10), icon);

    // Still drawing: paint over the window and watch the applet put its face back.
    GC gc = XCreateGC(display, main, 0, nullptr);
    XFillRectangle(display, main, gc, 0, 0, 64, 64);
    XFreeGC(display, gc);
    XSync(display, False);
    std::string difference = "never repainted";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!difference.empty() && std::chrono::steady_clock::now() < deadline) {
        sleepSeconds(0.02);
        difference = firstPanelDifference(readFace(display, main), want);
    }
    EXPECT_EQ(difference, "");
    EXPECT_EQ(waitForExit(app, 0), -1) << "the applet stopped";
}

TEST_F(Storm, LosingTheServerEndsTheProcessWithAnError) {
    XCloseDisplay(display);
    display = nullptr;
    sleepSeconds(0.3);
    kill(x.server.pid, SIGKILL);
    auto start = std::chrono::steady_clock::now();
    int status = waitForExit(app, 2);
    ASSERT_NE(status, -1) << "still running 2 s after its server died";
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0));
    EXPECT_LT(seconds, 2.0);
}

// Xlib's sequence guard allocates and frees a few small blocks every 65,536 requests; under
// AddressSanitizer the freed blocks sit in quarantine and fresh ones take new pages. A leak of
// even two bytes a pass would still show, at more than 100 KiB.
#ifdef __SANITIZE_ADDRESS__
constexpr long SOAK_GROWTH_KIB = 64;
#else
constexpr long SOAK_GROWTH_KIB = 0;
#endif

class Soak : public DockOnXvfb {};

TEST_F(Soak, SixtyThousandPassesHoldTheirMemory) {
    std::memcpy(satelliteLetters, "IEGC", 4);
    spotLongitude = 150;
    updateEphemerisNow();
    int counter = FIRST_UPDATE_COUNTER;
    const int WARM_UP = 5000, PASSES = 60000;
    for (int i = 0; i < WARM_UP; i++) runPass(counter);
    XSync(dock.display, False);
    long warm = residentKib();
    for (int i = WARM_UP; i < PASSES; i++) runPass(counter);
    XSync(dock.display, False);
    long end = residentKib();
    EXPECT_LE(end - warm, SOAK_GROWTH_KIB)
        << "resident set grew from " << warm << " KiB to " << end << " KiB";
}

} // namespace
