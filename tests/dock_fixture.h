// SPDX-License-Identifier: GPL-2.0-or-later
// A test whose process is the applet's X client: a private Xvfb, the dock window created on it
// as start-up does, and a second connection for reading back what the server holds.
#pragma once

#include <gtest/gtest.h>

#include "art/sheet.h"
#include "dock/dock.h"
#include "x_support.h"

#include <string>

class DockOnXvfb : public testing::Test {
  protected:
    static constexpr const char *PROGRAM = "vandrel-under-test";
    static constexpr const char *ARGUMENT = "80";

    void SetUp() override {
        server = startXvfb();
        std::string option = "-display";
        char *connectArgv[] = {const_cast<char *>(PROGRAM), option.data(), server.name.data(),
                               nullptr};
        dock = DockContext{};
        connectDisplay(3, connectArgv);
        createDockWindow(2, argv, masterSheetXpm, shapeMask, MASK_WIDTH, MASK_HEIGHT, "#181818",
                         "#79bdbf", "#ff0000", "#ffbf50", "#c5a6ff");
        XSync(dock.display, False);
        observer = XOpenDisplay(server.name.c_str());
        ASSERT_NE(observer, nullptr);
    }

    // The applet holds all of this until it exits; a test process gives it back.
    void TearDown() override {
        if (observer) XCloseDisplay(observer);
        if (!dock.display) return;
        XFreeGC(dock.display, dock.gc);
        XpmFreeAttributes(&dock.sheetAttributes);
        XCloseDisplay(dock.display);
        dock = DockContext{};
    }

    Face sheetFace() {
        XSync(dock.display, False);
        return readFace(observer, dock.masterSheet);
    }

    char *argv[3] = {const_cast<char *>(PROGRAM), const_cast<char *>(ARGUMENT), nullptr};
    Xvfb server;
    Display *observer = nullptr;
};
