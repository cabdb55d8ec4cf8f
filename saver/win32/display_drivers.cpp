// The saver's display drivers on Windows, best first.
#include "saver/display/display_driver.h"
#include "saver/win32/win32_display_driver.h"

namespace velmoran {

namespace {

constexpr const DisplayDriver* kDrivers[] = {
    &win32::kDisplayDriver,
    &kNullDisplayDriver,
};

}  // namespace

std::span<const DisplayDriver* const> DisplayDrivers() { return kDrivers; }

}  // namespace velmoran
