// The viewer's window: its own, or one inside a window of another program.
// A show that is XScreenSaver's display mode draws inside the window
// XScreenSaver made (the saver names it in VELMORAN_HOST_WINDOW), over the
// whole of it and at its size; any other show in the viewer's own borderless
// 1024 x 768 window at the screen's top-left corner.
#pragma once

#include <X11/Xlib.h>

#include <optional>

namespace velmoran {

struct ViewerWindowPlace {
    Window host = None;  // the X window to go into; None for a window of its own
    int width = 0;
    int height = 0;
};

// Where the window goes; nothing when the host named is no window (any more).
// With a host, an X error from then on ends the viewer as SIGTERM does: the
// host goes when its program ends, maybe before the viewer has.
std::optional<ViewerWindowPlace> PlaceOfViewerWindow(Display* display);

}  // namespace velmoran
