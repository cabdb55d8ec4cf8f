#include "viewer/x11_glx/host_window.h"

#include <csignal>
#include <cstdlib>

#include "common/host_window.h"
#include "common/window_facts.h"

namespace velmoran {

namespace {

// The window a host names in decimal; None when that is no window id.
Window ParseWindow(const char* named) {
    char* end = nullptr;
    const unsigned long host = std::strtoul(named, &end, 10);
    return *named && *end == '\0' ? host : None;
}

int IgnoreError(Display*, XErrorEvent*) { return 0; }

std::optional<ViewerWindowPlace> HostPlace(Display* display, Window host) {
    const XErrorHandler former = XSetErrorHandler(&IgnoreError);
    XWindowAttributes attributes;
    const bool found = XGetWindowAttributes(display, host, &attributes) != 0;
    XSetErrorHandler(former);
    if (!found || attributes.width <= 0 || attributes.height <= 0) return std::nullopt;
    return ViewerWindowPlace{host, attributes.width, attributes.height};
}

// XScreenSaver destroys its window as it ends a display mode: the error that
// follows ends the viewer quietly instead of with Xlib's report and exit.
int EndOnError(Display*, XErrorEvent*) {
    std::raise(SIGTERM);
    return 0;
}

}  // namespace

std::optional<ViewerWindowPlace> PlaceOfViewerWindow(Display* display) {
    const char* named = std::getenv(kHostWindowVariable);
    if (!named) return ViewerWindowPlace{None, kViewerWindowWidth, kViewerWindowHeight};
    const Window host = ParseWindow(named);
    if (host == None) return std::nullopt;
    std::optional<ViewerWindowPlace> place = HostPlace(display, host);
    if (place) XSetErrorHandler(&EndOnError);
    return place;
}

}  // namespace velmoran
