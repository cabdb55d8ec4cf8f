#include "saver/x11/pointer.h"

#include <X11/extensions/Xfixes.h>

#include "saver/x11/display.h"

namespace velmoran {

namespace {

// The display when it offers cursor hiding (XFixes 4 or later).
Display* DisplayWithXFixes() {
    Display* display = SaverDisplay();
    int eventBase;
    int errorBase;
    int major = 0;
    int minor = 0;
    if (!display || !XFixesQueryExtension(display, &eventBase, &errorBase) ||
        !XFixesQueryVersion(display, &major, &minor) || major < 4)
        return nullptr;
    return display;
}

}  // namespace

void HidePointer() {
    Display* display = DisplayWithXFixes();
    if (!display) return;
    for (int screen = 0; screen < ScreenCount(display); ++screen)
        XFixesHideCursor(display, RootWindow(display, screen));
    XFlush(display);
}

void ShowPointer() {
    Display* display = DisplayWithXFixes();
    if (!display) return;
    for (int screen = 0; screen < ScreenCount(display); ++screen)
        XFixesShowCursor(display, RootWindow(display, screen));
    XFlush(display);
}

}  // namespace velmoran
