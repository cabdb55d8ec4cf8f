// Looks for a window by its title, the way a show finds the viewer's window.
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

// Whether any window of the display's default screen, mapped or not, is
// titled exactly `title` (its EWMH UTF-8 name or its WM_NAME).
bool WindowTitledExists(Display* display, const char* title);

}  // namespace velmoran
