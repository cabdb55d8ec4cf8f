// Scaling a picture to another size by averaging, for every target texel,
// the area of the picture it covers (a box filter over the exact covered
// fractions of pixels, rounded down like GLU's own scaling).
#pragma once

#include "common/picture_memory.h"

#include <cstdint>

namespace velmoran {

struct PixelRows {
    const std::uint8_t* bgr;  // rows of blue-green-red triples
    int width;
    int height;
    std::size_t stride;       // bytes from one row to the next
};

// The picture at `width` x `height`, rows padded to 4 bytes.
PictureBytes ScalePicture(const PixelRows& picture, int width, int height);

}  // namespace velmoran
