// SPDX-License-Identifier: GPL-2.0-or-later
// The dump tool that scripts/accuracy measures: for the worked moments it must print what the
// ephemeris and the face are known to give.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double DEG = 180 / 3.141592653589793;

struct Worked {
    const char *input;
    double distance, centralMeridian, declination; // AU, radians, radians (NAN: not given)
    double x[4], y[4];                             // planet radii (NAN: not given)
    const char *marks;                             // longitude, marker column, dots
};

const Worked WORKED[] = {
    {"2000-01-01 12:00:00 150",
     4.6214486,
     3.0175281,
     0.0505282,
     {1.323, 0.708, 3.45, -21.35},
     {0.290, -0.469, NAN, NAN},
     "150 30,28 43,28 37,34 - -"},
    {"2000-01-01T12:00:00Z 60",
     4.6214486,
     3.0175281,
     0.0505282,
     {1.323, 0.708, 3.45, -21.35},
     {0.290, -0.469, NAN, NAN},
     "60 - 43,28 37,34 - -"},
    {"2024-01-01 00:00:00 60",
     4.4811352,
     2.0145762,
     0.0531708,
     {3.79, 8.46, 13.28, -21.72},
     {NAN, NAN, NAN, NAN},
     "60 36,28 - - - -"},
    // A sky given from elsewhere goes through the same placement: the 2000 moment again.
    {"face 172.9 150 1.323 0.290 0 0.708 -0.469 0 3.45 0 0 -21.35 0 1",
     NAN,
     172.9 / DEG,
     NAN,
     {1.323, 0.708, 3.45, -21.35},
     {0.290, -0.469, 0, 0},
     "150 30,28 43,28 37,34 - -"},
};

std::vector<std::string> dump(const std::string &input) {
    std::string command = "echo '" + input + "' | " EPHEMERIS_DUMP;
    FILE *pipe = popen(command.c_str(), "r");
    char line[1024] = "";
    if (!std::fgets(line, sizeof line, pipe)) line[0] = 0;
    pclose(pipe);
    std::istringstream words(line);
    std::vector<std::string> fields;
    for (std::string w; words >> w;) fields.push_back(w);
    return fields;
}

// Decimal places of a worked value: the tolerance is half a unit of its last place.
double halfLastPlace(double value) {
    std::ostringstream text;
    text << value;
    std::string s = text.str();
    size_t point = s.find('.');
    int places = point == std::string::npos ? 0 : static_cast<int>(s.size() - point - 1);
    return 0.5 * std::pow(10.0, -places);
}

TEST(Dump, WorkedMomentsGiveTheWorkedValues) {
    for (const Worked &w : WORKED) {
        SCOPED_TRACE(w.input);
        std::vector<std::string> f = dump(w.input);
        ASSERT_EQ(f.size(), 22u);
        auto near = [&](size_t field, double want, double tolerance) {
            if (!std::isnan(want)) {
                EXPECT_NEAR(std::stod(f[field]), want, tolerance) << field;
            }
        };
        near(1, w.distance, 5e-8);
        near(2, w.centralMeridian * DEG, 5e-8 * DEG);
        near(3, w.declination * DEG, 5e-8 * DEG);
        for (int i = 0; i < 4; i++) {
            near(4 + 3 * i, w.x[i], halfLastPlace(w.x[i]));
            near(5 + 3 * i, w.y[i], halfLastPlace(w.y[i]));
        }
        std::string marks;
        for (size_t k = 16; k < f.size(); k++) marks += (k > 16 ? " " : "") + f[k];
        EXPECT_EQ(marks, w.marks);
    }
}

TEST(Dump, ALineItCannotReadIsReportedAndFails) {
    int status = std::system("echo 'not a moment' | " EPHEMERIS_DUMP " >/dev/null 2>&1");
    EXPECT_NE(status, 0);
}

} // namespace
