// Photographs the whole screen through GDI.
#pragma once

#include <optional>

#include "common/captured_screen.h"

namespace velmoran {

// The desktop at the screen's full size in pixels, top row first; nothing
// when the screen cannot be read.
std::optional<ScreenPicture> CaptureDesktop();

}  // namespace velmoran
