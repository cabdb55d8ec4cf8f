// The shape of the texture's mipmap chain, built on the processor: the
// picture scaled to the power-of-two size GLU's gluBuild2DMipmaps would give
// it, each texel the average of the area of the picture it covers, then
// halved level by level down to a single texel, as GLU halves.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmoran {

struct LevelSize {
    int width = 0;
    int height = 0;
};

// The power of two GLU gives a side of `size` texels (at least 1): the one
// below, unless the size is at least three quarters of the one above (1280
// becomes 1024, 3840 and 3 become 4096 and 4).
int PowerOfTwoSide(int size);

// Bytes of one row of a level: blue-green-red triples padded to 4 bytes, as
// the bitmap's rows are.
std::size_t LevelStride(int width);

// The sizes of every level of a width x height picture's chain, largest
// first. None for a picture that cannot become a texture: a top-down bitmap
// (negative height), which GLU refuses as well.
std::vector<LevelSize> MipLevelSizes(int width, int height);

// One row of the level below `above` (of that size), from its two rows `a`
// and `b` (the same row where `above` is one row high): each texel the
// rounded mean of the two by two texels above it; once a side is down to one
// texel, the truncated mean of the two neighbours along the other side, as
// GLU computes them. The row's padding is zeroed.
void HalveRow(LevelSize above, const std::uint8_t* a, const std::uint8_t* b, std::uint8_t* out);

}  // namespace velmoran
