#include "saver/dialog/zoom_anchor.h"

namespace velmoran {

namespace {

std::int32_t Between(std::int32_t from, std::int32_t to, int frame, int frames) {
    return static_cast<std::int32_t>(from + (static_cast<std::int64_t>(to) - from) * frame / frames);
}

}  // namespace

ScreenRect AnchorRect(const ZoomAnchor& anchor) {
    return {anchor.AnchorX, anchor.AnchorY, anchor.AnchorX, anchor.AnchorY};
}

ScreenRect ZoomFrame(const ScreenRect& from, const ScreenRect& to, int frame, int frames) {
    return {Between(from.left, to.left, frame, frames), Between(from.top, to.top, frame, frames),
            Between(from.right, to.right, frame, frames), Between(from.bottom, to.bottom, frame, frames)};
}

}  // namespace velmoran
