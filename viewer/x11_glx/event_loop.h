// The viewer's event loop on Xlib: window events and end signals go to the
// viewer program, which paints at the display's pace, until the show ends.
#pragma once

#include "viewer/viewer_program.h"
#include "viewer/x11_glx/x11_window_system.h"

namespace velmoran {

// The key table's code for a key symbol: the Latin-1 characters, Escape and
// the other control keys that have one; -1 for the rest.
int KeyTableCode(KeySym symbol);

// Shows the window and runs until the program asks to quit.
void RunEventLoop(Display* display, X11WindowSystem& system, ViewerProgram& program,
                  const GlxWindow& window);

}  // namespace velmoran
