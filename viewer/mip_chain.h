// The texture's mipmap chain, built on the processor: the picture scaled to
// the power-of-two size GLU's gluBuild2DMipmaps would give it, each texel the
// average of the area of the picture it covers, then halved level by level
// down to a single texel, as GLU halves.
#pragma once

#include "common/picture_memory.h"
#include "viewer/bitmap_file.h"

#include <vector>

namespace velmoran {

struct MipLevel {
    int width = 0;
    int height = 0;
    PictureBytes bgr;  // bottom-up rows of blue-green-red triples, each padded to 4 bytes
};

using MipChain = std::vector<MipLevel>;

// The power of two GLU gives a side of `size` texels (at least 1): the one
// below, unless the size is at least three quarters of the one above (1280
// becomes 1024, 3840 and 3 become 4096 and 4).
int PowerOfTwoSide(int size);

// Every level of the picture's chain, largest first. Empty for a picture
// that cannot become a texture: a top-down bitmap (negative height), which
// GLU refuses as well.
MipChain BuildMipChain(BitmapImage image);

}  // namespace velmoran
