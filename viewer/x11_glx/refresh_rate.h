// The refresh rate of the monitor a window is on, as XRandR describes its
// current mode.
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

// Frames per second, rounded; 0 when the display does not say (a virtual
// display's mode has no timings).
int RefreshRateOf(Display* display, Window window);

}  // namespace velmoran
