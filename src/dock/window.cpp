// SPDX-License-Identifier: GPL-2.0-or-later
#include "dock/dock.h"

#include <X11/extensions/shape.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int WINDOW_SIZE = 64;
constexpr unsigned BORDER_WIDTH = 1;
constexpr unsigned SHEET_CLOSENESS = 40000; // per RGB component, of 65535
constexpr long EVENT_MASK = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            EnterWindowMask | LeaveWindowMask | PointerMotionMask | ExposureMask |
                            StructureNotifyMask;

enum { BACK, LABEL, DATA, WIND_GUST, STATION_TIME, COLOR_SYMBOLS };

const char *const SYMBOL_NAMES[COLOR_SYMBOLS] = {"BackColor", "LabelColor", "DataColor",
                                                 "WindGustColor", "StationTimeColor"};

void loadSheet(const char *const *sheetXpm, const char *const colors[COLOR_SYMBOLS]) {
    XpmColorSymbol symbols[COLOR_SYMBOLS];
    for (int i = 0; i < COLOR_SYMBOLS; i++) {
        symbols[i].name = const_cast<char *>(SYMBOL_NAMES[i]);
        symbols[i].value = nullptr; // null: draw the symbol's colour with this pixel
        symbols[i].pixel = lookupColor(colors[i]);
    }

    XpmAttributes &a = dock.sheetAttributes;
    a.numsymbols = COLOR_SYMBOLS;
    a.colorsymbols = symbols;
    a.exactColors = False;
    a.closeness = SHEET_CLOSENESS;
    a.valuemask = XpmSize | XpmColorSymbols | XpmReturnPixels | XpmReturnExtensions |
                  XpmExactColors | XpmCloseness;
    int status =
        XpmCreatePixmapFromData(dock.display, dock.rootWindow, const_cast<char **>(sheetXpm),
                                &dock.masterSheet, &dock.sheetMask, &a);
    a.colorsymbols = nullptr; // the array dies with this frame
    if (status != XpmSuccess) {
        std::fputs("Not enough free colorcells.\n", stderr);
        std::exit(1);
    }
}

// A window manager that dies destroys its dock, and with it our icon window, while copies to
// that window are still on their way; those errors are expected and harmless.
Window lostIconWindow = None;
XErrorHandler xlibErrorHandler = nullptr;

int tolerateLostIconWindow(Display *display, XErrorEvent *error) {
    if (error->resourceid == dock.iconWindow || error->resourceid == lostIconWindow) return 0;
    return xlibErrorHandler(display, error);
}

} // namespace

void replaceIconWindow() {
    lostIconWindow = dock.iconWindow;
    const XSizeHints &size = dock.sizeHints;
    dock.iconWindow =
        XCreateSimpleWindow(dock.display, dock.mainWindow, size.x, size.y, size.width, size.height,
                            BORDER_WIDTH, dock.blackPixel, dock.whitePixel);
    XSelectInput(dock.display, dock.iconWindow, EVENT_MASK);
    XShapeCombineMask(dock.display, dock.iconWindow, ShapeBounding, 0, 0, dock.shapeBitmap,
                      ShapeSet);
    dock.wmHints.icon_window = dock.iconWindow;
    XSetWMHints(dock.display, dock.mainWindow, &dock.wmHints);
    // A window manager docks an applet when its main window is mapped, at its own start-up or
    // through a map request; mapping again covers both the one running now and the next.
    XWithdrawWindow(dock.display, dock.mainWindow, dock.screen);
    XMapWindow(dock.display, dock.mainWindow);
}

void createDockWindow(int argc, char **argv, const char *const *sheetXpm,
                      const unsigned char *maskBits, int maskWidth, int maskHeight,
                      const char *backColor, const char *labelColor, const char *windGustColor,
                      const char *dataColor, const char *stationTimeColor) {
    const char *const colors[COLOR_SYMBOLS] = {backColor, labelColor, dataColor, windGustColor,
                                               stationTimeColor};
    loadSheet(sheetXpm, colors);

    XSizeHints &size = dock.sizeHints;
    size.flags = USPosition | USSize;
    size.x = 0;
    size.y = 0;
    dock.whitePixel = lookupColor("white");
    dock.blackPixel = lookupColor("black");
    int gravity = 0;
    XWMGeometry(dock.display, dock.screen, "", nullptr, BORDER_WIDTH, &size, &size.x, &size.y,
                &size.width, &size.height, &gravity);
    size.width = WINDOW_SIZE;
    size.height = WINDOW_SIZE;

    dock.mainWindow =
        XCreateSimpleWindow(dock.display, dock.rootWindow, size.x, size.y, WINDOW_SIZE, WINDOW_SIZE,
                            BORDER_WIDTH, dock.blackPixel, dock.whitePixel);
    dock.iconWindow =
        XCreateSimpleWindow(dock.display, dock.mainWindow, size.x, size.y, size.width, size.height,
                            BORDER_WIDTH, dock.blackPixel, dock.whitePixel);
    XSetWMNormalHints(dock.display, dock.mainWindow, &size);

    XClassHint classHint = {argv[0], argv[0]};
    XSetClassHint(dock.display, dock.mainWindow, &classHint);
    XSelectInput(dock.display, dock.mainWindow, EVENT_MASK);
    XSelectInput(dock.display, dock.iconWindow, EVENT_MASK);

    XTextProperty name;
    if (XStringListToTextProperty(&argv[0], 1, &name) == 0) {
        std::fprintf(stderr, "%s: can't allocate window name\n", argv[0]);
        std::exit(1);
    }
    XSetWMName(dock.display, dock.mainWindow, &name);
    XFree(name.value); // the server has its copy; nothing else refers to this one

    XGCValues values;
    values.foreground = dock.blackPixel;
    values.background = dock.whitePixel;
    values.graphics_exposures = False; // copies must not queue GraphicsExpose/NoExpose
    dock.gc = XCreateGC(dock.display, dock.rootWindow,
                        GCForeground | GCBackground | GCGraphicsExposures, &values);

    dock.shapeBitmap =
        XCreateBitmapFromData(dock.display, dock.mainWindow,
                              reinterpret_cast<const char *>(maskBits), maskWidth, maskHeight);
    XShapeCombineMask(dock.display, dock.mainWindow, ShapeBounding, 0, 0, dock.shapeBitmap,
                      ShapeSet);
    XShapeCombineMask(dock.display, dock.iconWindow, ShapeBounding, 0, 0, dock.shapeBitmap,
                      ShapeSet);

    XWMHints &hints = dock.wmHints;
    hints.initial_state = WithdrawnState;
    hints.icon_window = dock.iconWindow;
    hints.icon_x = size.x;
    hints.icon_y = size.y;
    hints.window_group = dock.mainWindow;
    hints.flags = StateHint | IconWindowHint | IconPositionHint | WindowGroupHint;
    XSetWMHints(dock.display, dock.mainWindow, &hints);

    XSetCommand(dock.display, dock.mainWindow, argv, argc);
    XMapWindow(dock.display, dock.mainWindow);
    xlibErrorHandler = XSetErrorHandler(tolerateLostIconWindow);
}
