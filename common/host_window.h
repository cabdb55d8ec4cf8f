// How the saver has the viewer show inside a window of another program (the
// window XScreenSaver made for its display mode) instead of its own window,
// passed through the environment the viewer inherits.
#pragma once

namespace velmoran {

// The X window id, in decimal, of the window the viewer shows in, at its size.
inline constexpr const char* kHostWindowVariable = "VELMORAN_HOST_WINDOW";

// The saver's process id, in decimal: the viewer in a host window ends when
// that process has gone, so that none of the two outlives the display mode.
inline constexpr const char* kSaverProcessVariable = "VELMORAN_SAVER_PID";

}  // namespace velmoran
