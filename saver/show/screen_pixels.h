// Turning a screen's own pixel format into the blue-green-red rows of a
// capture picture.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/captured_screen.h"

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

// Whether rows `width` pixels wide, `bytesPerLine` apart, in that layout can
// be converted.
bool CanConvert(int width, std::size_t bytesPerLine, const PixelLayout& layout);

// Converts `height` rows of raw pixels, `bytesPerLine` apart and top row
// first, into rows as the capture file stores them: CaptureRowSize(width)
// bytes each, zeros in the padding, `out` holding room for `height` of them.
// A band of a screen is converted by pointing `pixels` at its first row.
// False, with `out` untouched, for a layout it cannot read or too small an
// `out`.
bool ConvertToBgr(const std::uint8_t* pixels, int width, int height, std::size_t bytesPerLine,
                  const PixelLayout& layout, std::span<std::uint8_t> out);

// The same into a whole picture of its own, in the capture file's layout.
bool ConvertToBgr(const std::uint8_t* pixels, int width, int height, std::size_t bytesPerLine,
                  const PixelLayout& layout, ScreenPicture& out);

}  // namespace velmoran
