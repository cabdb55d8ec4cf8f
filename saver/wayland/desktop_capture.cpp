#include "saver/wayland/wayland_display_driver.h"

namespace velmoran::wayland {

std::optional<ScreenPicture> CaptureDesktop() { return std::nullopt; }

}  // namespace velmoran::wayland
