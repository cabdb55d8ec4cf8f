// The window of XScreenSaver's display mode on X11.
#include <X11/Xlib.h>

#include <cstdlib>

#include "saver/backend.h"
#include "saver/x11_fltk/display_driver/x_display_driver.h"
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
// exist (any more) counts as none.
std::optional<std::uint32_t> x11::HackWindowNamed() {
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if (!named) return std::nullopt;
    const std::uint32_t window = WindowIdOf(named);
    if (!AttributesOf(SaverDisplay(), window)) return std::nullopt;
    return window;
}

std::uint32_t x11::HackRootWindow() {
    Display* display = SaverDisplay();
    if (!display) return 0;
    return x11::HackWindowNamed().value_or(static_cast<std::uint32_t>(DefaultRootWindow(display)));
}

std::optional<WindowOnScreen> MeasureWindow(std::uint32_t window) {
    const std::optional<XWindowAttributes> attributes = AttributesOf(SaverDisplay(), window);
    if (!attributes) return std::nullopt;
    return WindowOnScreen{attributes->width, attributes->height, WidthOfScreen(attributes->screen),
                          HeightOfScreen(attributes->screen)};
}

}  // namespace velmoran
