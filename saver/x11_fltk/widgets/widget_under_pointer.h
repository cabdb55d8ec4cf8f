// The X11 counterpart of asking which window lies under the pointer: the
// innermost FLTK widget of this program there, or nothing when the pointer is
// over another program's window or the desktop.
#pragma once

class Fl_Widget;

namespace velmoran {

Fl_Widget* WidgetUnderPointer();

}  // namespace velmoran
