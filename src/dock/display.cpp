// SPDX-License-Identifier: GPL-2.0-or-later
#include "dock/dock.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

DockContext dock;

const char *scanDisplayName(char *const *argv) {
    const char *name = nullptr;
    // The entry after "-display" is compared too, so "-display -display B" names B.
    for (int i = 1; argv[i] != nullptr; i++)
        if (std::strcmp(argv[i], "-display") == 0) name = argv[i + 1];
    return name;
}

void connectDisplay(int, char **argv) {
    const char *name = scanDisplayName(argv);
    dock.display = XOpenDisplay(name);
    if (dock.display == nullptr) {
        std::fprintf(stderr, "%s: can't open display %s\n", argv[0], XDisplayName(name));
        std::exit(1);
    }
    dock.screen = DefaultScreen(dock.display);
    dock.rootWindow = RootWindow(dock.display, dock.screen);
}

unsigned long lookupColor(const char *name) {
    XWindowAttributes attributes;
    XGetWindowAttributes(dock.display, dock.rootWindow, &attributes);
    XColor color = {};
    // An unparsable name would leave the components unset; pixel 0 is the documented fallback.
    if (!XParseColor(dock.display, attributes.colormap, name, &color)) return 0;
    color.flags = DoRed | DoGreen | DoBlue;
    XAllocColor(dock.display, attributes.colormap, &color);
    return color.pixel;
}
