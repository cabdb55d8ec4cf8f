#include "saver/x11_fltk/x/display.h"

#include <FL/x.H>

namespace velmoran {

namespace {

Display* OpenDisplay() {
    Display* display = XOpenDisplay(nullptr);
    // FLTK adopts the connection instead of opening its own.
    if (display) fl_open_display(display);
    return display;
}

}  // namespace

Display* SaverDisplay() {
    static Display* const display = OpenDisplay();
    return display;
}

}  // namespace velmoran
