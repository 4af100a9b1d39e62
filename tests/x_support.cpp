// SPDX-License-Identifier: GPL-2.0-or-later
#include "x_support.h"

#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <thread>
#include <utility>

Child::Child(Child &&other) noexcept : pid(other.pid), out(other.out), err(other.err) {
    other.pid = -1;
    other.out = other.err = -1;
}

Child &Child::operator=(Child &&other) noexcept {
    std::swap(pid, other.pid);
    std::swap(out, other.out);
    std::swap(err, other.err);
    return *this;
}

Child::~Child() {
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (out >= 0) close(out);
    if (err >= 0) close(err);
}

Child spawn(const std::vector<std::string> &argv, const std::vector<std::string> &env, bool capture,
            int keepFd) {
    int outPipe[2] = {-1, -1}, errPipe[2] = {-1, -1};
    if (capture && (pipe(outPipe) != 0 || pipe(errPipe) != 0)) throw std::runtime_error("pipe");
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
        if (capture) {
            dup2(outPipe[1], 1);
            dup2(errPipe[1], 2);
            close(outPipe[0]);
            close(errPipe[0]);
        } else {
            int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        // Whatever way the test process ends, an exit inside Xlib included, its children go too.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        for (int fd = 3; fd < 1024; fd++)
            if (fd != keepFd) close(fd);
        for (const std::string &e : env) {
            if (e.find('=') == std::string::npos)
                unsetenv(e.c_str());
            else
                putenv(strdup(e.c_str()));
        }
        std::vector<char *> args;
        for (const std::string &a : argv) args.push_back(const_cast<char *>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    Child child;
    child.pid = pid;
    if (capture) {
        close(outPipe[1]);
        close(errPipe[1]);
        child.out = outPipe[0];
        child.err = errPipe[0];
    }
    return child;
}

int waitForExit(Child &child, double seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        int status;
        if (waitpid(child.pid, &status, WNOHANG) == child.pid) {
            child.pid = -1;
            return status;
        }
        if (std::chrono::steady_clock::now() > deadline) return -1;
        sleepSeconds(0.01);
    }
}

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, n);
    return text;
}

Xvfb startXvfb(const std::string &screen, const std::vector<std::string> &options) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe");
    Xvfb x;
    std::vector<std::string> argv = {
        "Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"};
    argv.insert(argv.end(), options.begin(), options.end());
    x.server = spawn(argv, {}, false, fds[1]);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    x.name = ":" + number;
    return x;
}

Child startWindowManager(const Xvfb &x, const std::vector<std::string> &argv,
                         const std::vector<std::string> &env, double seconds) {
    std::vector<std::string> wmEnv = {"DISPLAY=" + x.name};
    wmEnv.insert(wmEnv.end(), env.begin(), env.end());
    Child wm = spawn(argv, wmEnv, false);
    Display *display = XOpenDisplay(x.name.c_str());
    if (!display) throw std::runtime_error("cannot connect to " + x.name);
    // Several window managers announce themselves before their startup is over, and a window
    // mapped in that gap can go unmanaged; a probe window that gets a frame shows they manage.
    Window root = DefaultRootWindow(display);
    Window probe = XCreateSimpleWindow(display, root, 0, 0, 10, 10, 0, 0, 0);
    XClassHint probeClass = {const_cast<char *>("probe"), const_cast<char *>("Probe")};
    XSetClassHint(display, probe, &probeClass);
    XStoreName(display, probe, "probe");
    bool managed = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (int round = 0; !managed && std::chrono::steady_clock::now() < deadline; round++) {
        // Mapped afresh now and then: some adopt only windows whose mapping they see.
        if (round % 25 == 0) XUnmapWindow(display, probe);
        XMapWindow(display, probe);
        XSync(display, False);
        Window r, parent, *children = nullptr;
        unsigned count;
        if (XQueryTree(display, probe, &r, &parent, &children, &count)) managed = parent != root;
        if (children) XFree(children);
        if (!managed) sleepSeconds(0.02);
    }
    XDestroyWindow(display, probe);
    XCloseDisplay(display);
    if (!managed)
        throw std::runtime_error(argv[0] + " managed no window on " + x.name + " within " +
                                 std::to_string(seconds) + " s");
    return wm;
}

Child startOpenbox(const Xvfb &x, const std::string &home) {
    return startWindowManager(x, {"openbox", "--sm-disable"}, {"HOME=" + home});
}

TempDir::TempDir() {
    char name[] = "/tmp/vandrel-test-XXXXXX";
    if (!mkdtemp(name)) throw std::runtime_error("mkdtemp");
    path = name;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void adoptOrphans() {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
}

namespace {

// Parent of every process, from /proc/PID/stat, whose second field may hold spaces and ")".
std::map<pid_t, pid_t> parents() {
    std::map<pid_t, pid_t> parent;
    for (const auto &entry : std::filesystem::directory_iterator("/proc")) {
        std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        FILE *f = std::fopen((entry.path() / "stat").c_str(), "r");
        if (!f) continue;
        char line[1024];
        size_t n = std::fread(line, 1, sizeof line - 1, f);
        std::fclose(f);
        line[n] = 0;
        const char *close = std::strrchr(line, ')');
        char state;
        int ppid;
        if (close && std::sscanf(close + 1, " %c %d", &state, &ppid) == 2)
            parent[std::stoi(name)] = ppid;
    }
    return parent;
}

} // namespace

std::vector<pid_t> descendants(pid_t ancestor) {
    if (ancestor == 0) ancestor = getpid();
    std::map<pid_t, pid_t> parent = parents();
    std::vector<pid_t> found;
    for (const auto &[pid, ppid] : parent) {
        for (pid_t p = ppid; p > 1; p = parent.count(p) ? parent[p] : 0)
            if (p == ancestor) {
                found.push_back(pid);
                break;
            }
    }
    return found;
}

void killDescendants(pid_t ancestor) {
    // Killing may orphan grandchildren onto us while we work, so go round until none is left.
    for (int round = 0; round < 50; round++) {
        std::vector<pid_t> alive = descendants(ancestor);
        if (alive.empty()) return;
        for (pid_t pid : alive) kill(pid, SIGKILL);
        sleepSeconds(0.02);
        // Only the killed ones: a child that is none of them keeps its status for its waiter.
        for (pid_t pid : alive) waitpid(pid, nullptr, WNOHANG);
    }
}

std::string builtVandrel() {
    return VANDREL_BINARY;
}

std::string fakeTimeLibrary() {
    const char *const candidates[] = {"/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1",
                                      "/usr/lib/aarch64-linux-gnu/faketime/libfaketime.so.1",
                                      "/usr/lib/faketime/libfaketime.so.1"};
    for (const char *c : candidates)
        if (access(c, R_OK) == 0) return c;
    return "";
}

std::vector<std::string> frozenClockEnv(const Xvfb &x, const std::string &when) {
    return {"DISPLAY=" + x.name, "LD_PRELOAD=" + fakeTimeLibrary(), "FAKETIME=" + when, "TZ=UTC"};
}

namespace {

Window searchTree(Display *display, Window window, const char *suffix) {
    XClassHint hint;
    if (XGetClassHint(display, window, &hint)) {
        std::string name = hint.res_name ? hint.res_name : "";
        XFree(hint.res_name);
        XFree(hint.res_class);
        size_t n = std::strlen(suffix);
        if (name.size() >= n && name.compare(name.size() - n, n, suffix) == 0) return window;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return None;
    Window found = None;
    for (unsigned i = 0; i < count && found == None; i++)
        found = searchTree(display, children[i], suffix);
    if (children) XFree(children);
    return found;
}

int ignoreError(Display *, XErrorEvent *) {
    return 0;
}

} // namespace

Window findWindowByClass(Display *display, const char *suffix, double seconds) {
    // The window manager creates and destroys frames while the tree is walked.
    XSync(display, False);
    auto previous = XSetErrorHandler(ignoreError);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    Window w = None;
    for (;;) {
        w = searchTree(display, DefaultRootWindow(display), suffix);
        if (w != None || std::chrono::steady_clock::now() > deadline) break;
        sleepSeconds(0.02);
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    return w;
}

Face readFace(Display *display, Drawable drawable, int x, int y) {
    XImage *image = XGetImage(display, drawable, x, y, FACE_SIZE, FACE_SIZE, AllPlanes, ZPixmap);
    if (!image) throw std::runtime_error("XGetImage failed");
    Colormap colormap = DefaultColormap(display, DefaultScreen(display));
    std::map<unsigned long, Rgb> known;
    Face face;
    for (int j = 0; j < FACE_SIZE; j++)
        for (int i = 0; i < FACE_SIZE; i++) {
            unsigned long pixel = XGetPixel(image, i, j);
            auto it = known.find(pixel);
            if (it == known.end()) {
                XColor c;
                c.pixel = pixel;
                XQueryColor(display, colormap, &c);
                Rgb rgb = (c.red >> 8) << 16 | (c.green >> 8) << 8 | (c.blue >> 8);
                it = known.emplace(pixel, rgb).first;
            }
            face.pixel[j][i] = it->second;
        }
    XDestroyImage(image);
    return face;
}

Face readPngFace(const std::string &path) {
    std::string command = "pngtopnm '" + path + "'";
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run pngtopnm");
    int width = 0, height = 0, maximum = 0;
    if (std::fscanf(pipe, "P6 %d %d %d", &width, &height, &maximum) != 3 || maximum != 255 ||
        width < FACE_SIZE || height < FACE_SIZE) {
        pclose(pipe);
        throw std::runtime_error("not a 64x64 or larger PNG: " + path);
    }
    std::fgetc(pipe); // the single white space after the header
    std::vector<unsigned char> rgb(3u * width * height);
    size_t got = std::fread(rgb.data(), 1, rgb.size(), pipe);
    pclose(pipe);
    if (got != rgb.size()) throw std::runtime_error("short PNG: " + path);
    Face face;
    for (int y = 0; y < FACE_SIZE; y++)
        for (int x = 0; x < FACE_SIZE; x++) {
            const unsigned char *p = &rgb[3u * (y * width + x)];
            face.pixel[y][x] = p[0] << 16 | p[1] << 8 | p[2];
        }
    return face;
}

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}
