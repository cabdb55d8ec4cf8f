// The desktop through wlroots' screen copy (zwlr_screencopy_manager_v1, as
// sway offers it): every output copied into memory of the saver's own and
// placed where xdg_output says it lies in the layout.
#pragma once

#include <optional>

#include "common/captured_screen.h"

struct wl_display;

namespace velmoran::wayland {

// Set to any value, the capture gives nothing, so that a scenario reaches
// the ways tried after it.
inline constexpr const char* kNoScreencopyVariable = "VELMORAN_NO_SCREENCOPY";

// Every output of the layout as one picture; nothing when the compositor
// offers no screen copy or xdg_output, any output cannot be copied, or the
// compositor does not answer within two seconds in all.
std::optional<ScreenPicture> CaptureThroughScreencopy(wl_display* display);

}  // namespace velmoran::wayland
