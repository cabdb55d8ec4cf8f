// The viewer's shell on a Wayland compositor: chosen where WAYLAND_DISPLAY
// (or the default socket) names a compositor that answers and the saver
// names no X host window.
#pragma once

#include "viewer/viewer_shell.h"

namespace velmoran {

extern const ViewerShell kWaylandShell;

}  // namespace velmoran
