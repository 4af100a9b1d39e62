// SPDX-License-Identifier: GPL-2.0-or-later
// The sprite sheet as libXpm parses it, against the artwork's tables, and the shape mask's bits.
// gtest before X: Xlib's None and Bool macros break its headers.
#include <gtest/gtest.h>

#include "art/regions.h"
#include "art/sheet.h"
#include "face_model.h"

#include <X11/xpm.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char *const COLOUR_LINES[] = {
    " \tc None",    ".\tc #79BDBF", "+\tc #000000", "@\tc #FFBF50", "#\tc #181818", "$\tc #D0D0D0",
    "%\tc #FFFF00", "&\tc #FFC800", "*\tc #203233", "=\tc #142020", "-\tc #7F1111", ";\tc #FFFFFF",
};

class Sheet : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(XpmCreateXpmImageFromData(const_cast<char **>(masterSheetXpm), &image, nullptr),
                  XpmSuccess);
    }

    // The pixel's colour as 0xRRGGBB; None would not parse and fails the test.
    static Rgb at(int x, int y) {
        const char *c = image.colorTable[image.data[y * image.width + x]].c_color;
        EXPECT_EQ(c[0], '#') << "pixel (" << x << "," << y << ") is " << c;
        return static_cast<Rgb>(std::strtoul(c + 1, nullptr, 16));
    }

    static void expectRegion(const SheetRegion &r, Rgb colour) {
        for (int y = r.y; y < r.y + r.height; y++)
            for (int x = r.x; x < r.x + r.width; x++)
                EXPECT_EQ(at(x, y), colour) << "(" << x << "," << y << ")";
    }

    static void expectGlyph(const SheetRegion &cell, const char *const *rows, Rgb ink) {
        for (int j = 0; j < 6; j++)
            for (int i = 0; i < 5; i++)
                EXPECT_EQ(at(cell.x + i, cell.y + j), rows[j][i] == '#' ? ink : BLACK)
                    << "cell at (" << cell.x << "," << cell.y << ") column " << i << " row " << j;
    }

    static XpmImage image;
};

XpmImage Sheet::image;

TEST_F(Sheet, ValuesLineAndColourTable) {
    EXPECT_STREQ(masterSheetXpm[0], "134 148 12 1");
    for (int i = 0; i < 12; i++) EXPECT_STREQ(masterSheetXpm[1 + i], COLOUR_LINES[i]);
    for (int y = 0; y < 148; y++) EXPECT_EQ(std::strlen(masterSheetXpm[13 + y]), 134u) << y;
    EXPECT_EQ(image.width, 134u);
    EXPECT_EQ(image.height, 148u);
    EXPECT_EQ(image.cpp, 1u);
    ASSERT_EQ(image.ncolors, 12u);
    for (unsigned i = 0; i < image.ncolors; i++) {
        const XpmColor &c = image.colorTable[i];
        EXPECT_EQ(c.symbolic, nullptr) << i;
        EXPECT_EQ(c.m_color, nullptr) << i;
        EXPECT_EQ(c.g_color, nullptr) << i;
        EXPECT_EQ(c.g4_color, nullptr) << i;
    }
    for (unsigned p = 0; p < image.width * image.height; p++)
        ASSERT_NE(image.data[p], 0u) << "transparent pixel at " << p % 134 << "," << p / 134;
}

TEST_F(Sheet, BackgroundRegionHoldsDiskAndCaption) {
    // Background pixel (x, y) lands on face pixel (x - 1, y - 65).
    for (int fy = 4; fy <= 57; fy++)
        for (int fx = 4; fx <= 57; fx++)
            ASSERT_EQ(at(fx + 1, fy + 65), pictureAt(fx, fy)) << "face (" << fx << "," << fy << ")";
    // Spot checks straight from the tables, in sheet coordinates.
    EXPECT_EQ(at(31, 80), YELLOW); // the single top pixel
    EXPECT_EQ(at(23, 85), YELLOW); // upper belt's left end
    EXPECT_EQ(at(24, 85), AMBER);
    EXPECT_EQ(at(21, 88), AMBER);      // row 23 spans 20-40, all amber
    EXPECT_EQ(at(21, 90), YELLOW);     // middle zone, row 25 from column 20
    EXPECT_EQ(at(41, 90), BLACK);      // ... to 39
    EXPECT_EQ(at(19, 117), DARK_TEAL); // the colon's middle
    EXPECT_EQ(at(19, 118), DARK_TEAL);
    EXPECT_EQ(at(19, 116), TEAL);
}

TEST_F(Sheet, FaceBorderPanelAndInitialPicture) {
    Face want = loadedFace();
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++)
            ASSERT_EQ(at(x, y), want.at(x, y)) << "(" << x << "," << y << ")";
    for (int y = 5; y <= 59; y++) EXPECT_EQ(at(59, y), GREY);
    for (int x = 4; x <= 59; x++) EXPECT_EQ(at(x, 59), GREY);
    EXPECT_EQ(at(59, 4), BLACK);
    EXPECT_EQ(at(62, 62), TEAL);
    EXPECT_EQ(at(63, 10), BLACK);
    EXPECT_EQ(at(10, 63), BLACK);
    EXPECT_EQ(at(31, 14), YELLOW); // stored disk centred on (31,24)
    EXPECT_EQ(at(13, 51), FAINT);
}

TEST_F(Sheet, SpritesAndBlankStrip) {
    expectRegion(BLANK_STRIP, BLACK);
    expectRegion(SPOT_MARKER, DARK_RED);
    for (int y = 88; y <= 91; y++)
        for (int x = 78; x <= 81; x++) {
            bool centre = x >= 79 && x <= 80 && y >= 89 && y <= 90;
            EXPECT_EQ(at(x, y), centre ? WHITE : BLACK) << "(" << x << "," << y << ")";
        }
}

TEST_F(Sheet, DigitAndLetterGlyphs) {
    for (int d = 0; d < 10; d++) expectGlyph({66 + 5 * d, 57, 5, 6}, DIGIT_GLYPHS[d], ORANGE);
    expectGlyph({116, 57, 5, 6}, POINT_GLYPH_ROWS, ORANGE);
    const struct {
        char letter;
        int column;
    } labels[] = {{'I', 42}, {'E', 22}, {'G', 32}, {'C', 12}};
    for (const auto &l : labels) expectGlyph({l.column, 128, 5, 6}, letterGlyph(l.letter), WHITE);
    // Every cell keeps its fifth column black, and every letter has some ink.
    for (int cell = 0; cell < 11; cell++) expectRegion({70 + 5 * cell, 57, 1, 6}, BLACK);
    for (char c = 'A'; c <= 'Z'; c++) {
        SheetRegion r = letterCell(c);
        expectRegion({r.x + 4, r.y, 1, 6}, BLACK);
        int ink = 0;
        for (int y = r.y; y < r.y + 6; y++)
            for (int x = r.x; x < r.x + 4; x++) ink += at(x, y) == WHITE;
        EXPECT_GE(ink, 8) << c;
    }
}

bool overlaps(const SheetRegion &a, const SheetRegion &b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

TEST(SheetRegions, GeometryTheCompositionReliesOn) {
    EXPECT_EQ(digitCell(0).x, 66);
    EXPECT_EQ(POINT_GLYPH.x, digitCell(9).x + 5);
    EXPECT_EQ(POINT_GLYPH.x + POINT_GLYPH.width - 1, 120);
    EXPECT_EQ(letterCell('A').x, 2);
    EXPECT_EQ(letterCell('Z').x + letterCell('Z').width - 1, 131);
    EXPECT_LT(letterCell('Z').x + letterCell('Z').width, SHEET_WIDTH);
    const SheetRegion sources[] = {BACKGROUND,    BLANK_STRIP,     SPOT_MARKER,
                                   SATELLITE_DOT, {66, 57, 55, 6}, {2, 128, 130, 6}};
    for (const SheetRegion &s : sources) {
        EXPECT_FALSE(overlaps(s, FACE)) << s.x << "," << s.y;
        EXPECT_LE(s.x + s.width, SHEET_WIDTH);
        EXPECT_LE(s.y + s.height, SHEET_HEIGHT);
    }
}

bool maskBit(int x, int y) {
    return (shapeMask[y * 8 + x / 8] >> (x % 8)) & 1;
}

TEST(ShapeMask, ExactlyThePanelSquare) {
    const struct {
        int x, y;
        bool set;
    } edges[] = {{4, 4, true},  {59, 4, true}, {4, 59, true},   {59, 59, true},
                 {3, 4, false}, {4, 3, false}, {60, 59, false}, {59, 60, false}};
    for (const auto &e : edges) EXPECT_EQ(maskBit(e.x, e.y), e.set) << e.x << "," << e.y;
    // Least significant bit leftmost: the row's first byte sets columns 4-7, its last 56-59.
    EXPECT_EQ(shapeMask[4 * 8 + 0], 0xF0);
    EXPECT_EQ(shapeMask[4 * 8 + 7], 0x0F);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++)
            ASSERT_EQ(maskBit(x, y), x >= 4 && x <= 59 && y >= 4 && y <= 59) << x << "," << y;
}

} // namespace
