// The Wayland display driver's parts, each defined in the file named for it.
// The driver runs where WAYLAND_DISPLAY names a compositor that answers; an
// X display beside it (Xwayland) still carries the forms' titled windows,
// which the driver looks up too, so that a copy of the saver on either
// driver sees the other's show or dialog.
#pragma once

#include <optional>

#include "saver/display/display_driver.h"

struct wl_display;

namespace velmoran::wayland {

// wayland_display_driver.cpp
extern const DisplayDriver kDisplayDriver;

// session_connection.cpp: the saver's one connection to the compositor,
// opened the first time it is asked for; nullptr where none answers.
wl_display* SessionConnection();

// desktop_capture.cpp: every output of the layout as one picture.
std::optional<ScreenPicture> CaptureDesktop();

}  // namespace velmoran::wayland
