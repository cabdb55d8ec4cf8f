// The settings dialog's zoom: an outline that grows from the anchor point to
// the window as it opens, and shrinks back as it closes.
#pragma once

#include <optional>

#include <X11/Xlib.h>

#include "saver/dialog/zoom_anchor.h"

namespace velmoran {

// From the anchor to the window's outer rectangle (its window manager frame
// included), drawn on the root window.
void ZoomOpen(Window window, const ZoomAnchor& anchor);

// From the window's outer rectangle to the anchor.
void ZoomClose(Window window, const ZoomAnchor& anchor);

// The window's outer rectangle in screen pixels; nothing for a window that
// does not exist.
std::optional<ScreenRect> OuterRect(Display* display, Window window);

// One frame of the zoom: the rectangle's outline, inverted on the root window
// over every window. Drawing it a second time takes it away.
void DrawZoomOutline(Display* display, Window root, const ScreenRect& rect);

}  // namespace velmoran
