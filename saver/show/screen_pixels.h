// Turning a screen's own pixel format into the blue-green-red rows of a
// capture picture.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/capture_bitmap.h"

namespace velmoran {

// How a screen stores one pixel.
struct PixelLayout {
    int bitsPerPixel = 32;           // 8, 16, 24 or 32
    bool mostSignificantFirst = false;  // byte order of pixels wider than a byte
    // Direct colour: the bits of each primary inside the pixel value.
    std::uint32_t redMask = 0xFF0000;
    std::uint32_t greenMask = 0x00FF00;
    std::uint32_t blueMask = 0x0000FF;
    // Colour-mapped screens: blue, green, red of each pixel value. When it is
    // not empty the masks are not used.
    std::vector<std::array<std::uint8_t, 3>> palette;
};

// Converts `height` rows of raw pixels, `bytesPerLine` apart and top row
// first, into a picture of tightly packed rows. False, with `out` untouched,
// for a layout it cannot read.
bool ConvertToBgr(const std::uint8_t* pixels, int width, int height, std::size_t bytesPerLine,
                  const PixelLayout& layout, ScreenPicture& out);

}  // namespace velmoran
