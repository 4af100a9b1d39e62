// SPDX-License-Identifier: GPL-2.0-or-later
// The picture the face should show, built from the artwork's description alone: the disk's row
// table, the caption, the fonts' glyph tables. Tests compare what X holds against it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

using Rgb = std::uint32_t; // 0xRRGGBB

constexpr Rgb TEAL = 0x79BDBF, BLACK = 0x000000, ORANGE = 0xFFBF50, GREY = 0xD0D0D0,
              YELLOW = 0xFFFF00, AMBER = 0xFFC800, FAINT = 0x203233, DARK_TEAL = 0x142020,
              DARK_RED = 0x7F1111, WHITE = 0xFFFFFF;

constexpr int FACE_SIZE = 64;

struct Face {
    Rgb pixel[FACE_SIZE][FACE_SIZE]; // [y][x]
    Rgb at(int x, int y) const { return pixel[y][x]; }
};

// Glyph rows as drawn in the artwork's tables: '#' ink, '.' black; five columns.
using Glyph = const char *const[6];
extern Glyph DIGIT_GLYPHS[10];
extern Glyph POINT_GLYPH_ROWS;
const char *const *letterGlyph(char capital); // I, E, G or C

// Colour of the disk and caption picture at face (x, y), black elsewhere.
Rgb pictureAt(int x, int y);

// The face as loaded before any frame: border, panel edge, and the initial picture.
Face loadedFace();
// The face after a frame's background copy: columns and rows 4-57 hold the picture.
Face backgroundFace();

void paintRect(Face &face, int x, int y, int width, int height, Rgb colour);
void paintGlyph(Face &face, const char *const *rows, int x, int y, Rgb ink);
void paintMarker(Face &face, int column);
void paintStrips(Face &face);
void paintDot(Face &face, int x, int y);
void paintLabel(Face &face, char capital, int x);
void paintDistance(Face &face, const std::string &text);

struct SatelliteMark {
    int x, y; // the dot's top-left; its label stands at (x, 6)
    char letter;
};

// A composed frame: background, marker (column < 0: none), strips, satellites, distance.
Face composedFace(int markerColumn, std::initializer_list<SatelliteMark> satellites,
                  const std::string &distance);

// 2000-01-01 12:00:00 UTC with spot 150: marker at column 30, I at (43,28), E at (37,34).
Face millenniumFace();

// The first differing pixel, as "(x,y) got 0x.. want 0x..", within the panel (what the shape
// lets the user see); empty when they agree.
std::string firstPanelDifference(const Face &got, const Face &want);
