#include <chrono>

#include "saver/wayland/portal_screenshot.h"
#include "saver/wayland/screencopy_capture.h"
#include "saver/wayland/wayland_display_driver.h"

namespace velmoran::wayland {

namespace {

// The portal may start itself and its back end first; a show waits no
// longer than this for its picture, and shows the sphere without one after.
constexpr std::chrono::milliseconds kPortalBound{3000};

}  // namespace

// The ways a compositor may give its desktop, best first: wlroots' screen
// copy, then the desktop portal's screenshot (GNOME, KDE); the first picture
// counts.
std::optional<ScreenPicture> CaptureDesktop() {
    if (auto picture = CaptureThroughScreencopy(SessionConnection())) return picture;
    return CaptureThroughPortal(kPortalBound);
}

}  // namespace velmoran::wayland
