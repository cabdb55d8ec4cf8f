#include "saver/x11_fltk/x/x_error_trap.h"

namespace velmoran {

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    failed_ = false;
    previous_ = XSetErrorHandler(&XErrorTrap::Record);
}

XErrorTrap::~XErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
}

bool XErrorTrap::Failed() {
    XSync(display_, False);
    return failed_;
}

int XErrorTrap::Record(Display*, XErrorEvent*) {
    failed_ = true;
    return 0;
}

}  // namespace velmoran
