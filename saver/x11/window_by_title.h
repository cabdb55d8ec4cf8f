// Looks for a window by its title, the way a show finds the viewer's window.
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

// A window of the display's default screen, mapped or not, titled exactly
// `title` (its EWMH UTF-8 name or its WM_NAME); 0 when there is none.
Window FindWindowTitled(Display* display, const char* title);

inline bool WindowTitledExists(Display* display, const char* title) {
    return FindWindowTitled(display, title) != 0;
}

}  // namespace velmoran
