// JPEG pictures decoded with the system's own picture loader (OLE's
// IPicture), for the embedded artwork.
#pragma once

#include <windows.h>

#include <span>

namespace velmoran {

// The picture as a bitmap the caller owns (DeleteObject), or nullptr when
// the bytes are no picture the system can read. COM must be initialised on
// the calling thread.
HBITMAP LoadJpegBitmap(std::span<const unsigned char> bytes);

}  // namespace velmoran
