// The picture XScreenSaver keeps of the desktop as it was before it covered
// it, for its display modes to show.
#pragma once

#include <memory>

#include <X11/Xlib.h>

#include "common/captured_screen.h"

namespace velmoran {

// The pixmap the window's _SCREENSAVER_SCREENSHOT property names (type
// PIXMAP, one 32-bit item: XScreenSaver sets it on the window it made for
// the display mode, a picture of the whole screen or of the window's part of
// it, as deep as the window), top row first. Nothing when the property is
// missing or odd, or the pixmap cannot be read.
std::unique_ptr<CapturedScreen> CaptureKeptDesktop(Display* display, Window window);

}  // namespace velmoran
