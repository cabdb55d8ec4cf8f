// A viewer in a host window ends with the saver that started it: XScreenSaver
// may end its display mode by killing the saver outright, and the viewer
// must not stay behind in a window that is no longer shown.
#pragma once

namespace velmoran {

// Where the saver named itself (VELMORAN_SAVER_PID), has the system send
// this process SIGTERM (end_signals.h) when the saver ends. False
// when that saver has already gone; true when none was named.
bool BindToSaver();

}  // namespace velmoran
