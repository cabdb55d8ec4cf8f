// The saver's one connection to the X server. It stays open for the life of
// the process, because a pointer hidden through XFixes shows again as soon as
// the connection that hid it closes, and FLTK's windows use it too.
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

// The open connection; nullptr when no X server could be reached.
Display* SaverDisplay();

// While one exists, X errors (from windows that vanish while they are looked
// at) are ignored instead of ending the program.
class IgnoreXErrors {
public:
    explicit IgnoreXErrors(Display* display);
    ~IgnoreXErrors();
    IgnoreXErrors(const IgnoreXErrors&) = delete;
    IgnoreXErrors& operator=(const IgnoreXErrors&) = delete;

private:
    Display* display_;
    XErrorHandler previous_;
};

}  // namespace velmoran
