// SIGTERM and SIGINT end the viewer as closing its window does: the session
// ending, a killed saver (saver_bond.h) or a vanished host window
// (host_window.h) must not leave it drawing. The signal only wakes the event
// loop, which ends the show itself.
#pragma once

namespace velmoran {

// Installs the handlers; false when they could not be set up.
bool CatchEndSignals();

// A descriptor that becomes readable when an end signal has come.
int EndSignalDescriptor();

// Whether an end signal has come.
bool EndSignalled();

}  // namespace velmoran
