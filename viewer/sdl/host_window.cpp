#include "viewer/sdl/host_window.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdlib>

#include "common/host_window.h"
#include "common/window_facts.h"

namespace velmoran {

namespace {

unsigned long NamedHost() {
    const char* named = std::getenv(kHostWindowVariable);
    if (!named || !*named) return 0;
    char* end = nullptr;
    const unsigned long host = std::strtoul(named, &end, 10);
    return *end == '\0' ? host : 0;
}

int IgnoreError(Display*, XErrorEvent*) { return 0; }

// The host's size, through a connection of its own: SDL's comes with its
// first window, whose size this decides.
std::optional<ViewerWindowPlace> HostPlace(unsigned long host) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return std::nullopt;
    const XErrorHandler former = XSetErrorHandler(&IgnoreError);
    XWindowAttributes attributes;
    const bool found = XGetWindowAttributes(display, host, &attributes) != 0;
    XSetErrorHandler(former);
    XCloseDisplay(display);
    if (!found || attributes.width <= 0 || attributes.height <= 0) return std::nullopt;
    return ViewerWindowPlace{host, attributes.width, attributes.height};
}

// The host goes when its program ends (XScreenSaver destroys its window as
// it ends a display mode), maybe before the viewer has: an X error then ends
// the viewer quietly, as SIGTERM does, instead of Xlib's report and exit.
int EndOnError(Display*, XErrorEvent*) {
    raise(SIGTERM);
    return 0;
}

}  // namespace

std::optional<ViewerWindowPlace> PlaceOfViewerWindow() {
    const unsigned long host = NamedHost();
    if (std::getenv(kHostWindowVariable) && host == 0) return std::nullopt;
    if (host == 0) return ViewerWindowPlace{0, kViewerWindowWidth, kViewerWindowHeight};
    std::optional<ViewerWindowPlace> place = HostPlace(host);
    // SDL's own handler, set up later, hands errors on to this one.
    if (place) XSetErrorHandler(&EndOnError);
    return place;
}

// A child window of the host, of its own visual: the host's visual need not
// suit OpenGL. It keeps its title, by which the saver watches it.
void MoveIntoHost(SDL_Window* window, const ViewerWindowPlace& place) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (place.host == 0 || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    XReparentWindow(info.info.x11.display, info.info.x11.window, place.host, 0, 0);
    XSync(info.info.x11.display, False);
}

}  // namespace velmoran
