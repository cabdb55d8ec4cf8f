#include "saver/wayland/screencopy_capture.h"
#include "saver/wayland/wayland_display_driver.h"

namespace velmoran::wayland {

// The ways a compositor may give its desktop, best first; the first picture
// counts.
std::optional<ScreenPicture> CaptureDesktop() {
    if (auto picture = CaptureThroughScreencopy(SessionConnection())) return picture;
    // Next: the desktop portal's screenshot, for compositors without screen copy.
    return std::nullopt;
}

}  // namespace velmoran::wayland
