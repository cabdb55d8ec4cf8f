// Reading a window property of 32-bit items (windows, atoms, cardinals,
// pixmaps), as Xlib hands them over: one long each.
#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace velmoran {

// The property's items when it has that type; none when it is missing, of
// another type or format, or cannot be read.
std::vector<long> PropertyValues(Display* display, Window window, Atom property, Atom type);

}  // namespace velmoran
