// The desktop through the desktop portal's Screenshot call, for compositors
// that let no client copy their outputs (GNOME's, KDE's): the portal has the
// compositor write a PNG file, whose picture this takes and whose file it
// removes.
#pragma once

#include <chrono>
#include <optional>

#include "common/captured_screen.h"

namespace velmoran::wayland {

// The portal's picture of the desktop, asked for without a dialog, within
// `bound` from the call; nothing without a session bus or a portal, when the
// user or the portal refuses, when no answer comes in time, or when the
// answer names anything but a local regular file that holds a PNG image.
std::optional<ScreenPicture> CaptureThroughPortal(std::chrono::milliseconds bound);

}  // namespace velmoran::wayland
