// The point from which the settings dialog zooms open and to which it zooms
// shut, and the outlines of that zoom where the platform has to draw them
// itself.
#pragma once

#include <cstdint>

#include "saver/screen_rect.h"

namespace velmoran {

// The anchor in screen coordinates: where the pointer was as the dialog
// loaded; (0, 0) until then.
struct ZoomAnchor {
    std::int16_t AnchorX = 0;
    std::int16_t AnchorY = 0;
};

// The rectangle of no size at the anchor.
ScreenRect AnchorRect(const ZoomAnchor& anchor);

// Frames of a drawn zoom and the time each stays on screen.
inline constexpr int kZoomFrames = 12;
inline constexpr int kZoomFrameMilliseconds = 15;

// The outline shown in frame `frame` (1..frames) on the way from `from` to
// `to`; the last frame is `to` itself.
ScreenRect ZoomFrame(const ScreenRect& from, const ScreenRect& to, int frame, int frames = kZoomFrames);

}  // namespace velmoran
