// SPDX-License-Identifier: GPL-2.0-or-later
// The sheet is kept as a plain .xpm file so that image editors can open and change it.
#include "art/sheet.h"

#include "art/sheet.xpm"
