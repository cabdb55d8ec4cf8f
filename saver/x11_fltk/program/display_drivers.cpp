// The saver's display drivers on Linux, best first. A new driver is one more
// line here, ahead of the drivers it should win over.
#include "saver/display/display_driver.h"
#include "saver/x11_fltk/display_driver/x_display_driver.h"

namespace velmoran {

namespace {

constexpr const DisplayDriver* kDrivers[] = {
    &x11::kDisplayDriver,
    &kNullDisplayDriver,
};

}  // namespace

std::span<const DisplayDriver* const> DisplayDrivers() { return kDrivers; }

}  // namespace velmoran
