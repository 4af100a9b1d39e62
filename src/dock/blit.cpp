// SPDX-License-Identifier: GPL-2.0-or-later
#include "dock/dock.h"

void copySheetArea(int srcX, int srcY, int width, int height, int destX, int destY) {
    XCopyArea(dock.display, dock.masterSheet, dock.masterSheet, dock.gc, srcX, srcY, width, height,
              destX, destY);
}

namespace {

// Queued exposures are answered by this one full copy, so they are dropped first.
void refreshWindow(Window window) {
    XEvent event;
    while (XCheckTypedWindowEvent(dock.display, window, Expose, &event)) {
    }
    XCopyArea(dock.display, dock.masterSheet, window, dock.gc, 0, 0, dock.sheetAttributes.width,
              dock.sheetAttributes.height, 0, 0);
}

} // namespace

void refreshWindows() {
    refreshWindow(dock.iconWindow);
    refreshWindow(dock.mainWindow);
}
