#include <chrono>

#include "saver/wayland/portal_screenshot.h"
#include "saver/wayland/wayland_display_driver.h"

namespace velmoran::wayland {

namespace {

// The portal may start itself and its back end first; a show waits no
// longer than this for its picture, and shows the sphere without one after.
constexpr std::chrono::milliseconds kPortalBound{3000};

}  // namespace

std::optional<ScreenPicture> CaptureDesktop() { return CaptureThroughPortal(kPortalBound); }

}  // namespace velmoran::wayland
