// The viewer's window: its own, or one inside a window of another program.
// A show that is XScreenSaver's display mode draws inside the window
// XScreenSaver made (the saver names it in VELMORAN_HOST_WINDOW), over the
// whole of it and at its size; any other show in the viewer's own borderless
// 1024 x 768 window at the screen's top-left corner.
#pragma once

#include <SDL.h>

#include <optional>

namespace velmoran {

struct ViewerWindowPlace {
    unsigned long host = 0;  // the X window to go into; 0 for a window of its own
    int width = 0;
    int height = 0;
};

// Where the window goes; nothing when the host named is no window (any more).
std::optional<ViewerWindowPlace> PlaceOfViewerWindow();

// Puts the window, not yet shown, into its host at the host's top-left
// corner; nothing happens for a window of its own.
void MoveIntoHost(SDL_Window* window, const ViewerWindowPlace& place);

}  // namespace velmoran
