// SPDX-License-Identifier: GPL-2.0-or-later
#include "face_model.h"

#include <cstdio>

namespace {

struct DiskRow {
    int row, first, last;
    enum { CAP, ENDS, FULL } belt;
};

const DiskRow DISK[] = {
    {15, 30, 30, DiskRow::CAP},  {16, 26, 34, DiskRow::CAP},  {17, 24, 35, DiskRow::CAP},
    {18, 23, 37, DiskRow::CAP},  {19, 22, 37, DiskRow::CAP},  {20, 22, 38, DiskRow::ENDS},
    {21, 21, 39, DiskRow::ENDS}, {22, 21, 39, DiskRow::FULL}, {23, 20, 40, DiskRow::FULL},
    {24, 21, 39, DiskRow::CAP},  {25, 20, 39, DiskRow::CAP},  {26, 21, 39, DiskRow::CAP},
    {27, 20, 40, DiskRow::FULL}, {28, 21, 39, DiskRow::FULL}, {29, 21, 39, DiskRow::ENDS},
    {30, 22, 38, DiskRow::ENDS}, {31, 22, 37, DiskRow::CAP},  {32, 23, 37, DiskRow::CAP},
    {33, 24, 35, DiskRow::CAP},  {34, 26, 34, DiskRow::CAP},
};

// Caption "DST:", rows 50-54: 't' teal, 'd' dark teal, from column 5.
const char *const CAPTION[] = {
    "ttt..ttt.ttt..", "t..t.t....t..t", "t..t.ttt..t..d", "t..t...t..t..d", "ttt..ttt..t..t",
};
constexpr int CAPTION_X = 5, CAPTION_Y = 50;

Glyph LETTER_I = {"###..", ".#...", ".#...", ".#...", ".#...", "###.."};
Glyph LETTER_E = {"####.", "#....", "###..", "#....", "#....", "####."};
Glyph LETTER_G = {".##..", "#..#.", "#....", "#.##.", "#..#.", ".###."};
Glyph LETTER_C = {".##..", "#..#.", "#....", "#....", "#..#.", ".##.."};

Rgb diskAt(int x, int y) {
    for (const DiskRow &d : DISK) {
        if (d.row != y || x < d.first || x > d.last) continue;
        if (d.belt == DiskRow::FULL) return AMBER;
        if (d.belt == DiskRow::ENDS && x != d.first && x != d.last) return AMBER;
        return YELLOW;
    }
    return BLACK;
}

Rgb captionAt(int x, int y) {
    int cx = x - CAPTION_X, cy = y - CAPTION_Y;
    if (cy < 0 || cy >= 5 || cx < 0 || cx >= 14) return BLACK;
    char c = CAPTION[cy][cx];
    return c == 't' ? TEAL : c == 'd' ? DARK_TEAL : BLACK;
}

// Border teal, column 63 and row 63 black, black panel with its light-grey right and bottom edge.
Face frameOnly() {
    Face f;
    for (int y = 0; y < FACE_SIZE; y++)
        for (int x = 0; x < FACE_SIZE; x++) {
            bool border = x < 4 || y < 4 || x > 59 || y > 59;
            Rgb c = border ? TEAL : BLACK;
            if (x == 63 || y == 63) c = BLACK;
            if ((x == 59 && y >= 5 && y <= 59) || (y == 59 && x >= 4 && x <= 59)) c = GREY;
            f.pixel[y][x] = c;
        }
    return f;
}

} // namespace

Glyph DIGIT_GLYPHS[10] = {
    {".#...", "#.#..", "#.#..", "#.#..", "#.#..", ".#..."},
    {".#...", "##...", ".#...", ".#...", ".#...", "###.."},
    {".##..", "#..#.", "...#.", "..#..", ".#...", "####."},
    {"####.", "...#.", ".##..", "...#.", "#..#.", ".##.."},
    {"..#..", ".##..", "#.#..", "####.", "..#..", "..#.."},
    {"####.", "#....", "###..", "...#.", "#..#.", ".##.."},
    {".##..", "#....", "###..", "#..#.", "#..#.", ".##.."},
    {"####.", "...#.", "..#..", "..#..", ".#...", ".#..."},
    {".##..", "#..#.", ".##..", "#..#.", "#..#.", ".##.."},
    {".##..", "#..#.", "#..#.", ".###.", "...#.", ".##.."},
};
Glyph POINT_GLYPH_ROWS = {".....", ".....", ".....", ".....", ".##..", ".##.."};

const char *const *letterGlyph(char capital) {
    switch (capital) {
    case 'I':
        return LETTER_I;
    case 'E':
        return LETTER_E;
    case 'G':
        return LETTER_G;
    default:
        return LETTER_C;
    }
}

Rgb pictureAt(int x, int y) {
    Rgb disk = diskAt(x, y);
    return disk != BLACK ? disk : captionAt(x, y);
}

Face loadedFace() {
    Face f = frameOnly();
    // The stored picture stands one column right, its disk one row up, with two stray pixels.
    for (int y = 4; y <= 57; y++)
        for (int x = 4; x <= 57; x++) {
            Rgb c = diskAt(x, y);
            if (c != BLACK) f.pixel[y - 1][x + 1] = c;
            c = captionAt(x, y);
            if (c != BLACK) f.pixel[y][x + 1] = c;
        }
    f.pixel[50][8] = BLACK;
    f.pixel[51][13] = FAINT;
    return f;
}

Face backgroundFace() {
    Face f = frameOnly();
    for (int y = 4; y <= 57; y++)
        for (int x = 4; x <= 57; x++) f.pixel[y][x] = pictureAt(x, y);
    return f;
}

void paintRect(Face &face, int x, int y, int width, int height, Rgb colour) {
    for (int j = y; j < y + height; j++)
        for (int i = x; i < x + width; i++)
            if (i >= 0 && j >= 0 && i < FACE_SIZE && j < FACE_SIZE) face.pixel[j][i] = colour;
}

void paintGlyph(Face &face, const char *const *rows, int x, int y, Rgb ink) {
    for (int j = 0; j < 6; j++)
        for (int i = 0; i < 5; i++)
            paintRect(face, x + i, y + j, 1, 1, rows[j][i] == '#' ? ink : BLACK);
}

void paintMarker(Face &face, int column) {
    paintRect(face, column, 28, 4, 3, DARK_RED);
}

void paintStrips(Face &face) {
    paintRect(face, 14, 15, 7, 18, BLACK);
    paintRect(face, 41, 15, 7, 18, BLACK);
}

void paintDot(Face &face, int x, int y) {
    paintRect(face, x, y, 4, 4, BLACK);
    paintRect(face, x + 1, y + 1, 2, 2, WHITE);
}

void paintLabel(Face &face, char capital, int x) {
    paintGlyph(face, letterGlyph(capital), x, 6, WHITE);
}

void paintDistance(Face &face, const std::string &text) {
    for (size_t k = 0; k < text.size() && k < 7; k++) {
        char c = text[k];
        const char *const *rows = c >= '0' && c <= '9' ? DIGIT_GLYPHS[c - '0'] : POINT_GLYPH_ROWS;
        paintGlyph(face, rows, 22 + 5 * static_cast<int>(k), 50, ORANGE);
    }
}

Face composedFace(int markerColumn, std::initializer_list<SatelliteMark> satellites,
                  const std::string &distance) {
    Face f = backgroundFace();
    if (markerColumn >= 0) paintMarker(f, markerColumn);
    paintStrips(f);
    for (const SatelliteMark &s : satellites) {
        paintDot(f, s.x, s.y);
        paintLabel(f, s.letter, s.x);
    }
    paintDistance(f, distance);
    return f;
}

Face millenniumFace() {
    return composedFace(30, {{43, 28, 'I'}, {37, 34, 'E'}}, "4.62145");
}

std::string firstPanelDifference(const Face &got, const Face &want) {
    for (int y = 4; y <= 59; y++)
        for (int x = 4; x <= 59; x++)
            if (got.at(x, y) != want.at(x, y)) {
                char text[80];
                std::snprintf(text, sizeof text, "(%d,%d) got 0x%06X want 0x%06X", x, y,
                              got.at(x, y), want.at(x, y));
                return text;
            }
    return "";
}
