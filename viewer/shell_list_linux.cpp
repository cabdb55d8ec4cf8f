// The Linux shells, in the order they are asked: Wayland where a compositor
// answers and no X host window is given, else X11.
#include "viewer/viewer_shell.h"
#include "viewer/wayland_egl/wayland_shell.h"
#include "viewer/x11_glx/x11_shell.h"

namespace velmoran {

const ViewerShell* const kViewerShells[] = {
    &kWaylandShell,
    &kX11Shell,
};
const std::size_t kViewerShellCount = sizeof kViewerShells / sizeof kViewerShells[0];

}  // namespace velmoran
