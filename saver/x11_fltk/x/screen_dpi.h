// The screen's logical resolution, as the desktop's programs size themselves by.
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

// The Xft.dpi resource of the screen; 0 when the desktop has not set one.
double LogicalDpi(Display* display);

}  // namespace velmoran
