#include "saver/win32/zoom.h"

namespace velmoran {

namespace {

RECT ToRect(const ScreenRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

RECT WindowRectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

void ZoomOpen(HWND window, const ZoomAnchor& anchor) {
    const RECT from = ToRect(AnchorRect(anchor));
    const RECT to = WindowRectOf(window);
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

void ZoomClose(HWND window, const ZoomAnchor& anchor) {
    const RECT from = WindowRectOf(window);
    const RECT to = ToRect(AnchorRect(anchor));
    DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
}

}  // namespace velmoran
