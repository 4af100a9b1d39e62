// SPDX-License-Identifier: GPL-2.0-or-later
// The compiled-in artwork: the sprite sheet in XPM 3 form and the window's shape mask.
#pragma once

constexpr int SHEET_XPM_LINES = 161; // values line, 12 colours, 148 pixel rows

extern const char *masterSheetXpm[SHEET_XPM_LINES];

constexpr int MASK_WIDTH = 64;
constexpr int MASK_HEIGHT = 64;

// X bitmap layout: 8 bytes a row, top row first, least significant bit leftmost.
extern const unsigned char shapeMask[MASK_WIDTH / 8 * MASK_HEIGHT];
