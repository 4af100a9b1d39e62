// SPDX-License-Identifier: GPL-2.0-or-later
// Helpers for tests that need real X servers and real processes: a private Xvfb, a child
// process with its output captured, and reading pixels back as colours.
#pragma once

#include "face_model.h"

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

// A child process that is killed, if still running, when the guard goes out of scope.
struct Child {
    pid_t pid = -1;
    int out = -1, err = -1; // pipes from its stdout and stderr, or -1
    Child() = default;
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;
    Child(Child &&other) noexcept;
    Child &operator=(Child &&other) noexcept;
    ~Child();
};

// Runs argv with the environment changed by env: "NAME=value" sets, a bare "NAME" removes.
// Captures standard output and error when asked. The child inherits no descriptor but its
// standard ones and keepFd, so it can hold no pipe of ours open.
Child spawn(const std::vector<std::string> &argv, const std::vector<std::string> &env = {},
            bool capture = true, int keepFd = -1);

// The exit status as waitpid reports it, or -1 when the child is still running after seconds.
int waitForExit(Child &child, double seconds);
std::string readAll(int fd);

// A private Xvfb on a free display number; screen is Xvfb's WIDTHxHEIGHTxDEPTH, options any
// further arguments.
struct Xvfb {
    Child server;
    std::string name; // ":N"
};
Xvfb startXvfb(const std::string &screen = "640x480x24",
               const std::vector<std::string> &options = {});

// A window manager started by argv on x, with env added; returns once it frames a new window,
// which is when it manages windows (some announce themselves earlier). Throws after seconds.
Child startWindowManager(const Xvfb &x, const std::vector<std::string> &argv,
                         const std::vector<std::string> &env, double seconds = 15);
// Openbox with home as its HOME, so that no user configuration applies.
Child startOpenbox(const Xvfb &x, const std::string &home);

// A folder under /tmp, removed with everything in it when the guard goes.
struct TempDir {
    std::string path;
    TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    ~TempDir();
};

// Window managers start programs of their own that may outlive them. From adoptOrphans on, an
// orphaned descendant of this process is reparented to it rather than to init, so
// descendants() sees every process a test started, however it was started.
void adoptOrphans();
std::vector<pid_t> descendants(pid_t ancestor = 0); // 0: this process
// Kills the descendants of ancestor (0: of this process) and reaps those that are our children.
void killDescendants(pid_t ancestor = 0);

std::string builtVandrel(); // path of the applet under test
std::string fakeTimeLibrary();

constexpr const char *MILLENNIUM_NOON = "2000-01-01 12:00:00";
// The environment of an applet on x whose clock libfaketime holds at when (UTC).
std::vector<std::string> frozenClockEnv(const Xvfb &x, const std::string &when);

// The first window below root whose WM_CLASS name ends in suffix, waiting up to seconds.
Window findWindowByClass(Display *display, const char *suffix, double seconds);

// Reads a 64x64 area of a drawable and turns each pixel into its colour.
Face readFace(Display *display, Drawable drawable, int x = 0, int y = 0);

// The top-left 64x64 pixels of a PNG file, through netpbm's pngtopnm.
Face readPngFace(const std::string &path);

void sleepSeconds(double seconds);
