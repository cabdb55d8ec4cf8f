// Catches the X errors of a few requests that may fail for ordinary reasons
// (a window that went away, a shared-memory segment the server cannot see),
// which Xlib would otherwise report as fatal.
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Whether any request sent since the trap was set has failed.
    bool Failed();

private:
    static int Record(Display*, XErrorEvent*);
    static inline bool failed_ = false;

    Display* display_;
    XErrorHandler previous_;
};

}  // namespace velmoran
