// SPDX-License-Identifier: GPL-2.0-or-later
// The dock toolkit against a private Xvfb. Every property is read back through a second
// connection, not taken from the toolkit's own records.
#include <gtest/gtest.h>

#include "dock_fixture.h"

#include <X11/Xatom.h>
#include <X11/extensions/shape.h>

#include <string>

namespace {

class Dock : public DockOnXvfb {
  protected:
    // Waits until the main window is viewable, as it is at once without a window manager.
    void waitViewable(Window window) {
        for (int i = 0; i < 200; i++) {
            XWindowAttributes a;
            XGetWindowAttributes(observer, window, &a);
            if (a.map_state == IsViewable) return;
            sleepSeconds(0.01);
        }
        FAIL() << "window never became viewable";
    }
};

TEST_F(Dock, WindowsGeometryShapeAndEventMasks) {
    const Window windows[] = {dock.mainWindow, dock.iconWindow};
    for (Window w : windows) {
        Window root;
        int x, y;
        unsigned width, height, border, depth;
        ASSERT_TRUE(XGetGeometry(observer, w, &root, &x, &y, &width, &height, &border, &depth));
        EXPECT_EQ(width, 64u);
        EXPECT_EQ(height, 64u);
        EXPECT_EQ(border, 1u);
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);

        int count = 0, ordering;
        XRectangle *rects = XShapeGetRectangles(observer, w, ShapeBounding, &count, &ordering);
        ASSERT_EQ(count, 1);
        EXPECT_EQ(rects[0].x, 4);
        EXPECT_EQ(rects[0].y, 4);
        EXPECT_EQ(rects[0].width, 56);
        EXPECT_EQ(rects[0].height, 56);
        XFree(rects);

        // your_event_mask is the server's record of what the applet's connection selected.
        XWindowAttributes a;
        XGetWindowAttributes(dock.display, w, &a);
        EXPECT_EQ(a.your_event_mask, 163967);
    }
    Window root, parent, *children;
    unsigned count;
    XQueryTree(observer, dock.iconWindow, &root, &parent, &children, &count);
    EXPECT_EQ(parent, dock.mainWindow);
    XQueryTree(observer, dock.mainWindow, &root, &parent, &children, &count);
    EXPECT_EQ(parent, DefaultRootWindow(observer));
    XFree(children);
}

TEST_F(Dock, WindowManagerProperties) {
    XWMHints *hints = XGetWMHints(observer, dock.mainWindow);
    ASSERT_NE(hints, nullptr);
    EXPECT_EQ(hints->flags, 90);
    EXPECT_EQ(hints->initial_state, WithdrawnState);
    EXPECT_EQ(hints->icon_window, dock.iconWindow);
    EXPECT_EQ(hints->icon_x, 0);
    EXPECT_EQ(hints->icon_y, 0);
    EXPECT_EQ(hints->window_group, dock.mainWindow);
    XFree(hints);

    XSizeHints size;
    long supplied;
    ASSERT_TRUE(XGetWMNormalHints(observer, dock.mainWindow, &size, &supplied));
    EXPECT_EQ(size.flags, 3);
    EXPECT_EQ(size.x, 0);
    EXPECT_EQ(size.y, 0);
    EXPECT_EQ(size.width, 64);
    EXPECT_EQ(size.height, 64);

    XClassHint cls;
    ASSERT_TRUE(XGetClassHint(observer, dock.mainWindow, &cls));
    EXPECT_STREQ(cls.res_name, PROGRAM);
    EXPECT_STREQ(cls.res_class, PROGRAM);
    XFree(cls.res_name);
    XFree(cls.res_class);
    char *name = nullptr;
    ASSERT_TRUE(XFetchName(observer, dock.mainWindow, &name));
    EXPECT_STREQ(name, PROGRAM);
    XFree(name);
    char **command;
    int argc = 0;
    ASSERT_TRUE(XGetCommand(observer, dock.mainWindow, &command, &argc));
    ASSERT_EQ(argc, 2);
    EXPECT_STREQ(command[0], PROGRAM);
    EXPECT_STREQ(command[1], ARGUMENT);
    XFreeStringList(command);
    // Nothing of this belongs on the icon window.
    EXPECT_EQ(XGetWMHints(observer, dock.iconWindow), nullptr);
}

TEST_F(Dock, SheetLoadsAsDrawnWhateverTheColourSymbols) {
    Face withSymbols = readFace(observer, dock.masterSheet);
    EXPECT_EQ(firstPanelDifference(withSymbols, loadedFace()), "");
    Pixmap plain, mask;
    XpmAttributes attributes = {};
    ASSERT_EQ(XpmCreatePixmapFromData(observer, DefaultRootWindow(observer),
                                      const_cast<char **>(masterSheetXpm), &plain, &mask,
                                      &attributes),
              XpmSuccess);
    EXPECT_EQ(attributes.width, 134u);
    EXPECT_EQ(attributes.height, 148u);
    EXPECT_EQ(dock.sheetAttributes.width, 134u);
    Face without = readFace(observer, plain);
    XpmFreeAttributes(&attributes);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++) ASSERT_EQ(without.at(x, y), withSymbols.at(x, y));
}

TEST_F(Dock, ASheetThatWillNotLoadIsFatal) {
    // Colours that no colour database knows: libXpm fails the load. The dying child gets a
    // connection of its own: a forked copy of this one would break the parent's.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char *const badName[] = {"1 1 1 1", ".\tc nosuchcolour", "."};
    const char *const badHex[] = {"1 1 1 1", ".\tc #NOTACOLOUR", "."};
    for (const char *const *sheet : {badName, badHex})
        EXPECT_EXIT(createDockWindow(2, argv, sheet, shapeMask, MASK_WIDTH, MASK_HEIGHT, "#181818",
                                     "#79bdbf", "#ff0000", "#ffbf50", "#c5a6ff"),
                    testing::ExitedWithCode(1), "^Not enough free colorcells.\n$");
}

TEST_F(Dock, CopiesRaiseNoGraphicsExposures) {
    // A copy from outside the sheet would report the missing area were exposures on.
    copySheetArea(120, 140, 40, 40, 10, 10);
    XSync(dock.display, False);
    XEvent event;
    EXPECT_FALSE(XCheckTypedEvent(dock.display, GraphicsExpose, &event));
    EXPECT_FALSE(XCheckTypedEvent(dock.display, NoExpose, &event));
}

TEST_F(Dock, CopyPastTheSheetEdgeCopiesOnlyTheInside) {
    Face before = sheetFace();
    // The "Z" cell sits at (127,128); a 10x30 rectangle from there runs past both edges.
    copySheetArea(127, 128, 10, 30, 30, 20);
    Face after = sheetFace();
    Face want = before;
    paintRect(want, 30, 20, 7, 20, BLACK);
    const char *const z[] = {"####.", "...#.", "..#..", ".#...", "#....", "####."};
    paintGlyph(want, z, 30, 20, WHITE);
    for (int y = 0; y < 64; y++)
        for (int x = 0; x < 64; x++)
            ASSERT_EQ(after.at(x, y), want.at(x, y)) << "(" << x << "," << y << ")";
    EXPECT_NE(after.at(37, 23), BLACK); // right of the copied part the disk is untouched
}

TEST_F(Dock, RefreshDrainsExposuresOfItsWindowsOnlyAndPaintsTheFace) {
    Window other = XCreateSimpleWindow(dock.display, dock.rootWindow, 100, 100, 10, 10, 0, 0, 0);
    XSelectInput(dock.display, other, ExposureMask);
    XSync(dock.display, False);
    for (Window w : {dock.iconWindow, dock.mainWindow, dock.mainWindow, other}) {
        XEvent e = {};
        e.xexpose.type = Expose;
        e.xexpose.window = w;
        e.xexpose.width = e.xexpose.height = 64;
        XSendEvent(observer, w, False, ExposureMask, &e);
    }
    XSync(observer, False);
    waitViewable(dock.mainWindow);
    XSync(dock.display, False);

    refreshWindows();
    XSync(dock.display, False);
    XEvent event;
    EXPECT_FALSE(XCheckTypedWindowEvent(dock.display, dock.iconWindow, Expose, &event));
    EXPECT_FALSE(XCheckTypedWindowEvent(dock.display, dock.mainWindow, Expose, &event));
    EXPECT_TRUE(XCheckTypedWindowEvent(dock.display, other, Expose, &event));

    copySheetArea(5, 69, 54, 54, 4, 4); // a changed face, so the paint is this refresh's
    refreshWindows();
    XSync(dock.display, False);
    EXPECT_EQ(firstPanelDifference(readFace(observer, dock.mainWindow), backgroundFace()), "");
}

} // namespace

namespace {

// A window manager that dies takes its dock, and our icon window in it, with it; copies already
// sent to that window fail. Only those failures are let pass.
TEST_F(Dock, AnIconWindowDestroyedUnderItIsForgivenAndReplaced) {
    const Window lost = dock.iconWindow;
    XDestroyWindow(observer, lost);
    XSync(observer, False);
    refreshWindows(); // still aimed at the lost window
    XSync(dock.display, False);

    replaceIconWindow();
    XSync(dock.display, False);
    Window replaced = dock.iconWindow;
    ASSERT_NE(replaced, lost);
    Window root, parent, *children = nullptr;
    unsigned count;
    ASSERT_TRUE(XQueryTree(observer, replaced, &root, &parent, &children, &count));
    if (children) XFree(children);
    EXPECT_EQ(parent, dock.mainWindow);
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(observer, replaced, &a));
    EXPECT_EQ(a.width, 64);
    EXPECT_EQ(a.height, 64);
    EXPECT_EQ(a.border_width, 1);
    EXPECT_EQ(a.all_event_masks, 163967);
    int shapes, ordering;
    XRectangle *rectangles =
        XShapeGetRectangles(observer, replaced, ShapeBounding, &shapes, &ordering);
    ASSERT_EQ(shapes, 1);
    EXPECT_EQ(rectangles[0].x, 4);
    EXPECT_EQ(rectangles[0].width, 56);
    XFree(rectangles);
    XWMHints *hints = XGetWMHints(observer, dock.mainWindow);
    ASSERT_NE(hints, nullptr);
    EXPECT_EQ(hints->icon_window, replaced);
    EXPECT_EQ(hints->flags, 90);
    EXPECT_EQ(hints->initial_state, WithdrawnState);
    XFree(hints);
    waitViewable(dock.mainWindow);

    refreshWindows();
    XSync(dock.display, False);
    EXPECT_EQ(firstPanelDifference(readFace(observer, dock.mainWindow), loadedFace()), "");
}

TEST_F(Dock, EveryOtherProtocolErrorStaysFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            XCopyArea(dock.display, dock.masterSheet, dock.mainWindow + 1000, dock.gc, 0, 0, 1, 1,
                      0, 0);
            XSync(dock.display, False);
        },
        testing::ExitedWithCode(1), "BadDrawable");
}

} // namespace
