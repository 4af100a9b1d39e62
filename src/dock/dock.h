// SPDX-License-Identifier: GPL-2.0-or-later
// The applet's X resources: display, the withdrawn main window and its icon window, the sheet
// pixmap that is both artwork store and frame buffer, and the one GC every copy uses.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/xpm.h>

struct DockContext {
    Display *display;
    int screen;
    Window rootWindow;
    Window mainWindow;
    Window iconWindow;
    Pixmap masterSheet;
    Pixmap sheetMask;
    XpmAttributes sheetAttributes;
    GC gc;
    unsigned long whitePixel;
    unsigned long blackPixel;
    XSizeHints sizeHints;
    XWMHints wmHints;
    Pixmap shapeBitmap;
};

extern DockContext dock;

// The display named by the last "-display" argument; null (the default) when there is none or
// the last one has nothing after it.
const char *scanDisplayName(char *const *argv);

void connectDisplay(int argc, char **argv);
unsigned long lookupColor(const char *name);
// Builds the sheet, both windows and their hints, maps the main window, and installs an X error
// handler that lets pass only errors about a lost icon window (see replaceIconWindow); every
// other error keeps Xlib's fatal default.
void createDockWindow(int argc, char **argv, const char *const *sheetXpm,
                      const unsigned char *maskBits, int maskWidth, int maskHeight,
                      const char *backColor, const char *labelColor, const char *windGustColor,
                      const char *dataColor, const char *stationTimeColor);

// After the icon window was destroyed under us (a window manager that dies takes its dock with
// it): a new one, named in the hints, and the main window mapped again to be docked anew.
void replaceIconWindow();

void copySheetArea(int srcX, int srcY, int width, int height, int destX, int destY);
void refreshWindows();
