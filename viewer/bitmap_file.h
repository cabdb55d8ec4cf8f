// Reads the capture bitmap file: the checked headers and the pixel rows.
#pragma once

#include "common/picture_memory.h"
#include "viewer/bitmap_header.h"

#include <optional>
#include <string>
#include <vector>

namespace velmoran {

struct BitmapImage {
    PixelLayout layout;
    PictureBytes pixels;  // bottom-up rows of blue-green-red, padded to 4 bytes
};

// The bitmap at `path`, or nothing when the file cannot be opened or is no
// regular file (a named pipe is never waited on), its headers are refused
// (see bitmap_header.h), or it holds fewer bytes than they announce. Extra
// bytes between the headers and the pixel data are skipped.
std::optional<BitmapImage> ReadBitmapFile(const std::string& path);

}  // namespace velmoran
