// A PNG file, as a desktop portal leaves its screenshot, read into a screen
// picture.
#pragma once

#include <cstdio>
#include <optional>

#include "common/captured_screen.h"

namespace velmoran::wayland {

// Neither side of a desktop's picture is longer, nor has it more pixels:
// a file that claims more is refused before its pixels are read.
inline constexpr int kLargestPictureSide = 16384;
inline constexpr long long kLargestPicturePixels = 1LL << 27;

// The PNG image read from `file`'s position on, in the capture's layout
// (stride CaptureRowSize, zeros in the padding), any alpha channel dropped;
// nothing when it is not a whole PNG image of at most the largest size.
std::optional<ScreenPicture> ReadPngPicture(std::FILE* file);

}  // namespace velmoran::wayland
