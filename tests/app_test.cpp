// SPDX-License-Identifier: GPL-2.0-or-later
// The applet as a process on a private Xvfb: its messages, exit statuses and event answers.
#include <gtest/gtest.h>

#include "x_support.h"

#include <sys/wait.h>

#include <string>

namespace {

const char USAGE[] = "usage: vandrel <spot position>\n  spot position in lat. (e.g. 80)\n";

TEST(Applet, WithoutArgumentPrintsUsageAndFails) {
    Xvfb x = startXvfb();
    Child app = spawn({builtVandrel()}, {"DISPLAY=" + x.name});
    int status = waitForExit(app, 10);
    ASSERT_NE(status, -1) << "still running";
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(readAll(app.out), USAGE);
    EXPECT_EQ(readAll(app.err), "");
}

TEST(Applet, UnreachableDisplayIsFatalBeforeTheArgumentTest) {
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> env;
        std::string shown; // the display name as the message gives it
    } cases[] = {
        {{"-display", ":917", "80"}, {}, ":917"},
        {{"-display", ":917"}, {}, ":917"},
        {{"80"}, {"DISPLAY=:918"}, ":918"},
        {{"80", "-display", ":1", "-display"}, {"DISPLAY=:919"}, ":919"},
    };
    for (const auto &c : cases) {
        std::vector<std::string> argv = {builtVandrel()};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        Child app = spawn(argv, c.env);
        int status = waitForExit(app, 10);
        ASSERT_NE(status, -1);
        EXPECT_EQ(WEXITSTATUS(status), 1);
        EXPECT_EQ(readAll(app.err), builtVandrel() + ": can't open display " + c.shown + "\n");
        EXPECT_EQ(readAll(app.out), "");
    }
}

class RunningApplet : public testing::Test {
  protected:
    void SetUp() override {
        x = startXvfb();
        app = spawn({builtVandrel(), "80"}, {"DISPLAY=" + x.name});
        display = XOpenDisplay(x.name.c_str());
        ASSERT_NE(display, nullptr);
        window = findWindowByClass(display, "vandrel", 10);
        ASSERT_NE(window, None);
        // Somewhere else for the focus to be, so that any change of focus shows.
        elsewhere =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 200, 200, 50, 50, 0, 0, 0);
        XMapWindow(display, elsewhere);
        XSync(display, False);
        sleepSeconds(0.2);
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }

    void xdotool(std::vector<std::string> args) {
        args.insert(args.begin(), "xdotool");
        Child tool = spawn(args, {"DISPLAY=" + x.name});
        ASSERT_EQ(waitForExit(tool, 10), 0);
        sleepSeconds(0.2); // a few passes of the applet's loop
    }

    void focusElsewhere() {
        XSetInputFocus(display, elsewhere, RevertToNone, CurrentTime);
        XSync(display, False);
    }

    void expectFocus(Window want, int revertWant) {
        Window focus;
        int revert;
        XGetInputFocus(display, &focus, &revert);
        EXPECT_EQ(focus, want);
        EXPECT_EQ(revert, revertWant);
    }

    Xvfb x;
    Child app;
    Display *display = nullptr;
    Window window = None, elsewhere = None;
};

TEST_F(RunningApplet, PointerCrossingLeavesTheFocusAlone) {
    xdotool({"mousemove", "300", "300"});
    focusElsewhere();
    xdotool({"mousemove", "30", "30"});
    expectFocus(elsewhere, RevertToNone);
    xdotool({"mousemove", "300", "300"});
    expectFocus(elsewhere, RevertToNone);
    EXPECT_EQ(waitForExit(app, 0), -1) << "the applet stopped";
}

TEST_F(RunningApplet, ClicksAndKeysChangeNothing) {
    xdotool({"mousemove", "30", "30"});
    focusElsewhere();
    Face before = readFace(display, window, 1, 1);
    xdotool({"click", "1"});
    xdotool({"click", "3"});
    xdotool({"mousemove_relative", "5", "5"});
    expectFocus(elsewhere, RevertToNone);
    EXPECT_EQ(firstPanelDifference(readFace(display, window, 1, 1), before), "");
    EXPECT_EQ(waitForExit(app, 0), -1) << "the applet stopped";
}

} // namespace
