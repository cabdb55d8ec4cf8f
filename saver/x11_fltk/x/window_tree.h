// A window's place in the X window tree.
#pragma once

#include <vector>

#include <X11/Xlib.h>

namespace velmoran {

// The window's children in stacking order, bottom first; none when the
// window cannot be asked (it may have gone).
std::vector<Window> ChildrenOf(Display* display, Window window);

}  // namespace velmoran
