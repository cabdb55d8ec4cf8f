// Finding a window by its title on X11.
#pragma once

#include <string>

#include <X11/Xlib.h>

namespace velmoran {

// True when any window, mapped or not, has exactly this title in WM_NAME or
// _NET_WM_NAME. The whole tree is searched, since a window manager puts the
// top-level windows into frames of its own.
bool WindowTitled(Display* display, const std::string& title);

}  // namespace velmoran
