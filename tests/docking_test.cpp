// SPDX-License-Identifier: GPL-2.0-or-later
// scripts/run with no display: the applet docked in Openbox on a virtual display, pictured.
#include <gtest/gtest.h>

#include "x_support.h"

#include <filesystem>
#include <string>

namespace {

const Face MILLENNIUM_150 = millenniumFace();

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
