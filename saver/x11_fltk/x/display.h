// The saver's one connection to the X server. It stays open for the life of
// the process, because a pointer hidden through XFixes shows again as soon as
// the connection that hid it closes, and FLTK's windows use it too.
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

// The open connection; nullptr when no X server could be reached.
Display* SaverDisplay();

}  // namespace velmoran
