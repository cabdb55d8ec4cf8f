// The mipmap chain (see mip_chain.h) built as a sequence of bands, runs of
// rows of one level, each in a buffer of its own: the picture's rows are
// taken as the largest level needs them, and each level keeps only the rows
// it has not yet handed on, so that neither the whole picture nor a whole
// large level is ever held.
#pragma once

#include "common/picture_memory.h"
#include "viewer/mip_chain.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace velmoran {

struct MipBand {
    int level = 0;  // 0 the largest
    LevelSize size;  // the level's
    int firstRow = 0;  // counted from the bottom, as the rows are
    int rows = 0;
    PictureBytes bgr;  // the rows, LevelStride(size.width) bytes apart
};

// Writes the picture's next `count` rows (bottom first, blue-green-red,
// LevelStride apart) to `out`; false when they cannot be had.
using RowSource = std::function<bool(int count, std::uint8_t* out)>;
// Takes a finished band; false when no more are wanted.
using BandSink = std::function<bool(MipBand&& band)>;

// About the most bytes of a band, and of the picture's rows held at once.
// Below the size that picture memory maps on its own (picture_memory.h): a
// band comes from the heap, and the next bands reuse its memory once it is
// freed, without the cost of touching fresh pages.
inline constexpr std::size_t kBandBytes = std::size_t{2} << 20;

// The bytes of every level of a width x height picture's chain.
std::size_t MipChainBytes(int width, int height);

// Hands every band of every level of the chain of a width x height picture
// to `sink`, each level's bands in order from its bottom row; none for a
// picture that cannot become a texture (MipLevelSizes). False when the
// source fails or the sink wants no more. A band holds at least two rows,
// or its whole level.
bool BuildMipBands(int width, int height, const RowSource& source, const BandSink& sink,
                   std::size_t bandBytes = kBandBytes);

}  // namespace velmoran
