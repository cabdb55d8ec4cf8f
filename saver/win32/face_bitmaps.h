// The six face images as GDI bitmaps, each selected into a memory device
// context that StretchBlt can copy from. Made from the embedded files on
// first use and kept for the life of the program.
#pragma once

#include <windows.h>

#include "saver/controls/face_surface.h"

namespace velmoran {

// The device context holding the face, or null when it cannot be made.
HDC FaceDc(FaceImage image);

}  // namespace velmoran
