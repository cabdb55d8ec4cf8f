// The six face images: where each is embedded, and reading the 24-bit
// Windows bitmaps they are stored as.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "saver/controls/face_surface.h"
#include "saver/controls/rgb_image.h"

namespace velmoran {

// The embedded asset holding a face ("button/normal.bmp", ...).
std::string_view FaceAssetName(FaceImage image);

// An uncompressed 24-bit Windows bitmap file, bottom-up or top-down; nothing
// for anything else, or for a file too short for what its headers claim.
std::optional<RgbImage> DecodeBmp24(std::span<const unsigned char> file);

// The decoded embedded face, or nothing when the program lacks it.
std::optional<RgbImage> LoadFaceImage(FaceImage image);

}  // namespace velmoran
