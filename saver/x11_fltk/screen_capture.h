// Photographs the whole screen of an X display.
#pragma once

#include <optional>

#include <X11/Xlib.h>

#include "common/capture_bitmap.h"

namespace velmoran {

// The root window of the display's default screen, top row first; nothing
// when the server does not hand it out.
std::optional<ScreenPicture> CaptureRootWindow(Display* display);

}  // namespace velmoran
