// SPDX-License-Identifier: GPL-2.0-or-later
// Start-up's readings of the command line, and the loop's update cadence; no X server needed.
#include <gtest/gtest.h>

#include "app/applet.h"
#include "dock/dock.h"

#include <cstdint>
#include <vector>

namespace {

TEST(DisplayName, LastDisplayArgumentWins) {
    const struct {
        std::vector<const char *> args; // after the program name
        const char *name;               // null: the default display
    } cases[] = {
        {{}, nullptr},
        {{"80"}, nullptr},
        {{"-display", "A", "80"}, "A"},
        {{"80", "-display", ":1"}, ":1"},
        {{"-display", "A", "-display", "B"}, "B"},
        {{"-display", "A", "-display"}, nullptr},
        {{"-display"}, nullptr},
        {{"-display", "-display", "B"}, "B"},
        {{"-Display", "A"}, nullptr},
    };
    for (const auto &c : cases) {
        std::vector<char *> argv = {const_cast<char *>("vandrel")};
        for (const char *a : c.args) argv.push_back(const_cast<char *>(a));
        argv.push_back(nullptr);
        const char *got = scanDisplayName(argv.data());
        if (c.name == nullptr)
            EXPECT_EQ(got, nullptr) << "with " << c.args.size() << " arguments";
        else
            EXPECT_STREQ(got, c.name);
    }
    // The program name itself is never taken for the option.
    char *const named[] = {const_cast<char *>("-display"), const_cast<char *>("A"), nullptr};
    EXPECT_EQ(scanDisplayName(named), nullptr);
}

TEST(SpotArgument, ReadsLikeAtoiAndClampsToThirtyTwoBits) {
    const struct {
        const char *text;
        std::int32_t value;
    } cases[] = {
        {"80", 80},
        {"+80", 80},
        {"-30", -30},
        {"80.9", 80},
        {"80xyz", 80},
        {"abc", 0},
        {"", 0},
        {"  42", 42},
        {"\t\n 7", 7},
        {"- 5", 0},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MAX},
        {"99999999999999999999999999999999999999", INT32_MAX},
        {"-display", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseSpotArgument(c.text), c.value) << '"' << c.text << '"';
}

TEST(UpdateCadence, FirstPassThenEvery102nd) {
    int counter = FIRST_UPDATE_COUNTER;
    std::vector<int> updates;
    for (int pass = 1; pass <= 310; pass++)
        if (ephemerisUpdateDue(counter)) updates.push_back(pass);
    EXPECT_EQ(updates, (std::vector<int>{1, 103, 205, 307}));
}

} // namespace
