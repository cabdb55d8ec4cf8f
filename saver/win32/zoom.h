// The settings dialog's zoom: the system's caption animation from the anchor
// point (AnchorX, AnchorY) to the window as it opens, and back as it closes.
#pragma once

#include <windows.h>

#include "saver/dialog/zoom_anchor.h"

namespace velmoran {

void ZoomOpen(HWND window);
void ZoomClose(HWND window);

}  // namespace velmoran
