// How the saver has the viewer show inside a window of another program (the
// window XScreenSaver made for its display mode) instead of its own window,
// passed through the environment the viewer inherits.
#pragma once

#include <cstdint>

namespace velmoran {

// The X window id, in decimal, of the window the viewer shows in, at its size.
inline constexpr const char* kHostWindowVariable = "VELMORAN_HOST_WINDOW";

// The saver's process id, in decimal: the viewer in a host window ends when
// that process has gone, so that none of the two outlives the display mode.
inline constexpr const char* kSaverProcessVariable = "VELMORAN_SAVER_PID";

// On Wayland, where no host window exists: any value has the viewer cover
// every output, one surface each at that output's size, as a full-screen
// display mode does (the saver sets it for -root); otherwise the viewer
// shows its 1024 x 768 surface.
inline constexpr const char* kAllOutputsVariable = "VELMORAN_ALL_OUTPUTS";

// The host window a show over the whole desktop is given where the desktop
// is no X screen (Wayland): the viewer then covers every output in surfaces
// of its own (kAllOutputsVariable). No X window has this id: X keeps the top
// three bits of every resource id clear.
inline constexpr std::uint32_t kEveryOutput = 0xFFFFFFFFu;

// The descriptor, in decimal, of a pipe the viewer tells the saver on when
// its surface is up and when it has gone (viewer/wayland_egl/surface_notice.h).
inline constexpr const char* kSurfaceNoticeVariable = "VELMORAN_SURFACE_FD";

}  // namespace velmoran
