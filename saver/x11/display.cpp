#include "saver/x11/display.h"

#include <FL/x.H>

namespace velmoran {

namespace {

Display* OpenDisplay() {
    Display* display = XOpenDisplay(nullptr);
    // FLTK adopts the connection instead of opening its own.
    if (display) fl_open_display(display);
    return display;
}

int IgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

Display* SaverDisplay() {
    static Display* const display = OpenDisplay();
    return display;
}

IgnoreXErrors::IgnoreXErrors(Display* display) : display_(display) {
    XSync(display_, False);
    previous_ = XSetErrorHandler(IgnoreError);
}

IgnoreXErrors::~IgnoreXErrors() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
}

}  // namespace velmoran
