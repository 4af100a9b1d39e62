#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Draws src/art/sheet.xpm, the sprite sheet, from the tables below.

Run once to make the file; afterwards the .xpm is the source of truth and may be edited in any
image editor that writes XPM (keep its twelve colour lines and their order).
"""
import os

WIDTH, HEIGHT = 134, 148

COLOURS = [  # pixel character, colour
    (" ", "None"), (".", "#79BDBF"), ("+", "#000000"), ("@", "#FFBF50"), ("#", "#181818"),
    ("$", "#D0D0D0"), ("%", "#FFFF00"), ("&", "#FFC800"), ("*", "#203233"), ("=", "#142020"),
    ("-", "#7F1111"), (";", "#FFFFFF"),
]
TEAL, BLACK, ORANGE, GREY, YELLOW, AMBER = ".", "+", "@", "$", "%", "&"
FAINT, DARK_TEAL, DARK_RED, WHITE = "*", "=", "-", ";"

# Disk rows in face coordinates: row, first column, last column, belt (ends stay yellow where
# the belt row is narrower than its neighbours).
DISK = [
    (15, 30, 30, None), (16, 26, 34, None), (17, 24, 35, None), (18, 23, 37, None),
    (19, 22, 37, None), (20, 22, 38, "ends"), (21, 21, 39, "ends"), (22, 21, 39, "full"),
    (23, 20, 40, "full"), (24, 21, 39, None), (25, 20, 39, None), (26, 21, 39, None),
    (27, 20, 40, "full"), (28, 21, 39, "full"), (29, 21, 39, "ends"), (30, 22, 38, "ends"),
    (31, 22, 37, None), (32, 23, 37, None), (33, 24, 35, None), (34, 26, 34, None),
]

# Caption "DST:" in face coordinates: row, teal columns, dark teal columns.
CAPTION = [
    (50, [5, 6, 7, 10, 11, 12, 14, 15, 16], []),
    (51, [5, 8, 10, 15, 18], []),
    (52, [5, 8, 10, 11, 12, 15], [18]),
    (53, [5, 8, 12, 15], [18]),
    (54, [5, 6, 7, 10, 11, 12, 15, 18], []),
]

DIGITS = {  # "0".."9" then the point glyph, 4 columns used of 5
    "0": [".#..", "#.#.", "#.#.", "#.#.", "#.#.", ".#.."],
    "1": [".#..", "##..", ".#..", ".#..", ".#..", "###."],
    "2": [".##.", "#..#", "...#", "..#.", ".#..", "####"],
    "3": ["####", "...#", ".##.", "...#", "#..#", ".##."],
    "4": ["..#.", ".##.", "#.#.", "####", "..#.", "..#."],
    "5": ["####", "#...", "###.", "...#", "#..#", ".##."],
    "6": [".##.", "#...", "###.", "#..#", "#..#", ".##."],
    "7": ["####", "...#", "..#.", "..#.", ".#..", ".#.."],
    "8": [".##.", "#..#", ".##.", "#..#", "#..#", ".##."],
    "9": [".##.", "#..#", "#..#", ".###", "...#", ".##."],
    "point": ["....", "....", "....", "....", ".##.", ".##."],
}

LETTERS = {
    "A": [".##.", "#..#", "#..#", "####", "#..#", "#..#"],
    "B": ["###.", "#..#", "###.", "#..#", "#..#", "###."],
    "C": [".##.", "#..#", "#...", "#...", "#..#", ".##."],
    "D": ["###.", "#..#", "#..#", "#..#", "#..#", "###."],
    "E": ["####", "#...", "###.", "#...", "#...", "####"],
    "F": ["####", "#...", "###.", "#...", "#...", "#..."],
    "G": [".##.", "#..#", "#...", "#.##", "#..#", ".###"],
    "H": ["#..#", "#..#", "####", "#..#", "#..#", "#..#"],
    "I": ["###.", ".#..", ".#..", ".#..", ".#..", "###."],
    "J": ["..##", "...#", "...#", "...#", "#..#", ".##."],
    "K": ["#..#", "#.#.", "##..", "#.#.", "#..#", "#..#"],
    "L": ["#...", "#...", "#...", "#...", "#...", "####"],
    "M": ["#..#", "####", "####", "#..#", "#..#", "#..#"],
    "N": ["#..#", "##.#", "##.#", "#.##", "#.##", "#..#"],
    "O": [".##.", "#..#", "#..#", "#..#", "#..#", ".##."],
    "P": ["###.", "#..#", "#..#", "###.", "#...", "#..."],
    "Q": [".##.", "#..#", "#..#", "#..#", "#.#.", ".#.#"],
    "R": ["###.", "#..#", "#..#", "###.", "#.#.", "#..#"],
    "S": [".###", "#...", ".##.", "...#", "...#", "###."],
    "T": ["###.", ".#..", ".#..", ".#..", ".#..", ".#.."],
    "U": ["#..#", "#..#", "#..#", "#..#", "#..#", ".##."],
    "V": ["#..#", "#..#", "#..#", "#..#", ".##.", ".##."],
    "W": ["#..#", "#..#", "#..#", "####", "####", "#..#"],
    "X": ["#..#", "#..#", ".##.", ".##.", "#..#", "#..#"],
    "Y": ["#.#.", "#.#.", ".#..", ".#..", ".#..", ".#.."],
    "Z": ["####", "...#", "..#.", ".#..", "#...", "####"],
}

sheet = [[BLACK] * WIDTH for _ in range(HEIGHT)]


def put(x, y, c):
    sheet[y][x] = c


def fill(x0, y0, x1, y1, c):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            put(x, y, c)


def picture(dx, dy, disk_dy):
    """The panel's picture, with face pixel (x, y) placed at (x + dx, y + dy)."""
    for row, first, last, belt in DISK:
        for x in range(first, last + 1):
            colour = YELLOW
            if belt == "full" or (belt == "ends" and first < x < last):
                colour = AMBER
            put(x + dx, row + dy + disk_dy, colour)
    for row, teal, dark in CAPTION:
        for x in teal:
            put(x + dx, row + dy, TEAL)
        for x in dark:
            put(x + dx, row + dy, DARK_TEAL)


def glyph(x0, y0, rows, ink):
    for y, bits in enumerate(rows):
        for x, bit in enumerate(bits):
            put(x0 + x, y0 + y, ink if bit == "#" else BLACK)


# The face: teal border, black panel with a light-grey right column and bottom row.
fill(0, 0, 62, 62, TEAL)
fill(4, 4, 59, 59, BLACK)
fill(59, 5, 59, 59, GREY)
fill(4, 59, 59, 59, GREY)
# Its initial picture sits one column right, the disk also one row up, with two stray pixels.
picture(1, 0, -1)
put(8, 50, BLACK)
put(13, 51, FAINT)

picture(1, 65, 0)                     # background region (5,69), copied to (4,4) every frame
fill(73, 88, 76, 90, DARK_RED)        # spot marker
fill(79, 89, 80, 90, WHITE)           # satellite dot's centre; its rim and the blank strip are black
for i, name in enumerate(list("0123456789") + ["point"]):
    glyph(66 + 5 * i, 57, DIGITS[name], ORANGE)
for letter, rows in LETTERS.items():
    glyph(2 + 5 * (ord(letter) - ord("A")), 128, rows, WHITE)

out = os.path.join(os.path.dirname(__file__), "..", "src", "art", "sheet.xpm")
with open(out, "w") as f:
    f.write("/* XPM */\n")
    f.write("const char *masterSheetXpm[] = {\n")
    f.write('"%d %d %d 1",\n' % (WIDTH, HEIGHT, len(COLOURS)))
    for ch, colour in COLOURS:
        f.write('"%s\tc %s",\n' % (ch, colour))
    for y, row in enumerate(sheet):
        f.write('"%s"%s\n' % ("".join(row), "," if y < HEIGHT - 1 else ""))
    f.write("};\n")
