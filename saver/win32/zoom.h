// The settings dialog's zoom: the system's caption animation from the anchor
// point to the window as it opens, and back as it closes.
#pragma once

#include <windows.h>

#include "saver/dialog/zoom_anchor.h"

namespace velmoran {

void ZoomOpen(HWND window, const ZoomAnchor& anchor);
void ZoomClose(HWND window, const ZoomAnchor& anchor);

}  // namespace velmoran
