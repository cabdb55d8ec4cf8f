// The window of XScreenSaver's display mode on X11.
#include <X11/Xlib.h>

#include <cstdlib>

#include "saver/backend.h"
#include "saver/x11_fltk/x/display.h"
#include "saver/x11_fltk/x/x_error_trap.h"

namespace velmoran {

namespace {

std::optional<XWindowAttributes> AttributesOf(Display* display, Window window) {
    if (!display || window == None) return std::nullopt;
    XErrorTrap trap(display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || trap.Failed()) return std::nullopt;
    return attributes;
}

}  // namespace

bool RunsHacks() { return true; }

// XScreenSaver names the window it made in the environment; one that does not
// exist (any more) leaves the root window.
std::uint32_t HackRootWindow() {
    Display* display = SaverDisplay();
    if (!display) return 0;
    if (const char* named = std::getenv("XSCREENSAVER_WINDOW")) {
        const std::uint32_t window = WindowIdOf(named);
        if (AttributesOf(display, window)) return window;
    }
    return static_cast<std::uint32_t>(DefaultRootWindow(display));
}

std::optional<WindowOnScreen> MeasureWindow(std::uint32_t window) {
    const std::optional<XWindowAttributes> attributes = AttributesOf(SaverDisplay(), window);
    if (!attributes) return std::nullopt;
    return WindowOnScreen{attributes->width, attributes->height, WidthOfScreen(attributes->screen),
                          HeightOfScreen(attributes->screen)};
}

}  // namespace velmoran
