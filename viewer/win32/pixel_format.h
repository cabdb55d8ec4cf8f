// The viewer window's pixel format.
#pragma once

#include <windows.h>

namespace velmoran {

// Chooses and sets a double-buffered RGBA format with the display's colour
// depth and a 16-bit depth buffer, and reports the chosen index to the
// debugger output. Failures are ignored: the viewer runs on regardless.
void SetupPixelFormat(HDC dc);

}  // namespace velmoran
