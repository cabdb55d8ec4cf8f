// Hiding and showing the mouse pointer through XFixes.
#include <X11/extensions/Xfixes.h>

#include "saver/x11_fltk/display_driver/x_display_driver.h"
#include "saver/x11_fltk/x/display.h"

namespace velmoran::x11 {

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

// XFixes counts hide and show per connection: both go through the saver's one
// connection, so that a show undoes exactly what the start-up did.
void OnEveryRoot(void (*change)(Display*, Window)) {
    Display* display = DisplayWithXFixes();
    if (!display) return;
    for (int screen = 0; screen < ScreenCount(display); ++screen) change(display, RootWindow(display, screen));
    XFlush(display);
}

}  // namespace

void HidePointer() { OnEveryRoot(XFixesHideCursor); }

void ShowPointer() { OnEveryRoot(XFixesShowCursor); }

}  // namespace velmoran::x11
