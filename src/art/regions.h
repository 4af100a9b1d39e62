// SPDX-License-Identifier: GPL-2.0-or-later
// Where things are on the sprite sheet, and where the frame puts them on the face.
// Sheet coordinates: x columns to the right, y rows down from the top-left pixel.
#pragma once

struct SheetRegion {
    int x, y, width, height;
};

struct SheetPoint {
    int x, y;
};

constexpr int SHEET_WIDTH = 134;
constexpr int SHEET_HEIGHT = 148;

// Sources. None overlaps the face, so composing a frame never alters one.
constexpr SheetRegion FACE = {0, 0, 64, 64};
constexpr SheetRegion BACKGROUND = {5, 69, 54, 54};
constexpr SheetRegion BLANK_STRIP = {82, 90, 7, 18};
constexpr SheetRegion SPOT_MARKER = {73, 88, 4, 3};
constexpr SheetRegion SATELLITE_DOT = {78, 88, 4, 4};

constexpr int GLYPH_WIDTH = 5; // four columns of ink, one of black space
constexpr int GLYPH_HEIGHT = 6;
constexpr SheetPoint DIGIT_FONT = {66, 57};  // "0" to "9", then the point glyph
constexpr SheetPoint LETTER_FONT = {2, 128}; // "A" to "Z"
constexpr int POINT_GLYPH_CELL = 10;

constexpr SheetRegion digitCell(int cell) {
    return {DIGIT_FONT.x + GLYPH_WIDTH * cell, DIGIT_FONT.y, GLYPH_WIDTH, GLYPH_HEIGHT};
}

constexpr SheetRegion letterCell(char capital) {
    return {LETTER_FONT.x + GLYPH_WIDTH * (capital - 'A'), LETTER_FONT.y, GLYPH_WIDTH,
            GLYPH_HEIGHT};
}

constexpr SheetRegion POINT_GLYPH = digitCell(POINT_GLYPH_CELL);

// Destinations on the face.
constexpr SheetPoint BACKGROUND_AT = {4, 4};
constexpr SheetPoint LEFT_STRIP_AT = {14, 15};
constexpr SheetPoint RIGHT_STRIP_AT = {41, 15};
constexpr int SPOT_ROW = 28; // the marker sits on the disk's lower belt
constexpr int LABEL_ROW = 6; // satellite letters, straight above their dots
constexpr SheetPoint DISTANCE_AT = {22, 50};
constexpr int DISTANCE_CELLS = 7;
