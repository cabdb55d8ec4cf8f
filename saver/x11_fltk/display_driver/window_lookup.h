// Finding a window by its title on X11.
#pragma once

#include <string>

#include <X11/Xlib.h>

namespace velmoran {

// A window, mapped or not, whose WM_NAME or _NET_WM_NAME is exactly this
// title; None when there is none. The whole tree of every screen is searched,
// since a window manager puts the top-level windows into frames of its own.
Window FindWindowTitled(Display* display, const std::string& title);

}  // namespace velmoran
