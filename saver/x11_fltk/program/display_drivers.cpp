// The saver's display drivers on Linux, best first. A new driver is one more
// line here, ahead of the drivers it should win over.
#include "saver/display/display_driver.h"
#include "saver/wayland/wayland_display_driver.h"
#include "saver/x11_fltk/display_driver/x_display_driver.h"

namespace velmoran {

namespace {

// Wayland first: on a Wayland desktop an X display, where there is one, is
// Xwayland's, whose screen holds none of the desktop.
constexpr const DisplayDriver* kDrivers[] = {
    &wayland::kDisplayDriver,
    &x11::kDisplayDriver,
    &kNullDisplayDriver,
};

}  // namespace

std::span<const DisplayDriver* const> DisplayDrivers() { return kDrivers; }

}  // namespace velmoran
