// The frame a window manager puts around a top-level window, as it tells it
// in _NET_FRAME_EXTENTS (the window manager standard of freedesktop.org).
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// The frame the running window manager will put around a window of this
// inner size that the user cannot resize, known before any such window is
// mapped: the manager is asked about an unmapped window of the same kind
// (_NET_REQUEST_FRAME_EXTENTS). None without a window manager, or when it
// does not tell.
FrameExtents ExpectedFrame(Display* display, int width, int height);

}  // namespace velmoran
