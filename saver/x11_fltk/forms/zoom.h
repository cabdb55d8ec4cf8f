// The settings dialog's zoom: an outline that grows from the anchor point to
// the window as it opens, and shrinks back as it closes.
#pragma once

#include <optional>

#include <X11/Xlib.h>

#include "saver/dialog/zoom_anchor.h"

namespace velmoran {

// From the anchor to the outer rectangle (its window manager frame
// included) of a window about to be mapped, drawn on the default screen's
// root window.
void ZoomOpen(const ScreenRect& outer, const ZoomAnchor& anchor);

// From the window's outer rectangle, as it is on the screen, to the anchor.
void ZoomClose(Window window, const ZoomAnchor& anchor);

// The window's outer rectangle in screen pixels; nothing for a window that
// does not exist.
std::optional<ScreenRect> OuterRect(Display* display, Window window);

// One frame of the zoom: the rectangle's outline, inverted on the root window
// over every window. Drawing it a second time takes it away.
void DrawZoomOutline(Display* display, Window root, const ScreenRect& rect);

}  // namespace velmoran
