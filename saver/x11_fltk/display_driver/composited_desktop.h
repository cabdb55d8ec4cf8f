// The desktop under a screen saver's window, rebuilt from what a compositing
// manager keeps: each window's contents in its redirected pixmap.
#pragma once

#include <optional>

#include <X11/Xlib.h>

#include "common/captured_screen.h"

namespace velmoran {

// The screen as it would look without `window`'s top-level window and those
// above it: the root's background (_XROOTPMAP_ID, black where none is set)
// and, bottom to top, every mapped top-level window below it, drawn from the
// pixmap the Composite extension names for it; a window that has gone
// meanwhile is left out. Top row first. Nothing when no compositing manager
// holds the screen (no owner of _NET_WM_CM_S<n>): the windows' contents are
// then not kept anywhere.
std::optional<ScreenPicture> CaptureCompositedDesktop(Display* display, Window window);

}  // namespace velmoran
