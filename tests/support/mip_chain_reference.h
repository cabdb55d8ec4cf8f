// The mipmap chain of a whole picture held in memory, level by level: the
// plain statement of what the viewer's banded build (viewer/mip_bands.h)
// must give, and that build's bands put together into whole levels.
#pragma once

#include "common/picture_memory.h"
#include "viewer/bitmap_header.h"
#include "viewer/mip_bands.h"
#include "viewer/mip_chain.h"
#include "viewer/picture_scaling.h"

#include <cstring>
#include <optional>
#include <vector>

namespace velmoran::testing {

struct BitmapImage {
    PixelLayout layout;
    PictureBytes pixels;  // bottom-up rows of blue-green-red, padded to 4 bytes
};

struct MipLevel {
    int width = 0;
    int height = 0;
    PictureBytes bgr;  // bottom-up rows, each padded to 4 bytes
};

using MipChain = std::vector<MipLevel>;

// Level 0 scaled from the whole picture (or the picture itself at a power of
// two size), each further level halved from the whole level above it.
inline MipChain ReferenceMipChain(const BitmapImage& image) {
    const int width = image.layout.width, height = image.layout.height;
    MipChain chain;
    for (const LevelSize size : MipLevelSizes(width, height)) {
        MipLevel level{size.width, size.height, {}};
        const std::size_t stride = LevelStride(size.width);
        level.bgr.assign(stride * static_cast<std::size_t>(size.height), 0);
        if (chain.empty() && size.width == width && size.height == height) {
            level.bgr = image.pixels;
        } else if (chain.empty()) {
            RowScaler scaler(width, height, size.width, size.height);
            for (int j = 0; j < size.height; ++j)
                scaler.ScaleRow(j, image.pixels.data() + LevelStride(width) * scaler.FirstRow(j), LevelStride(width),
                                level.bgr.data() + stride * j);
        } else {
            const MipLevel& above = chain.back();
            const std::size_t from = LevelStride(above.width);
            for (int y = 0; y < size.height; ++y) {
                const std::uint8_t* a = above.bgr.data() + from * (above.height == 1 ? 0 : 2 * y);
                HalveRow({above.width, above.height}, a, above.height == 1 ? a : a + from, level.bgr.data() + stride * y);
            }
        }
        chain.push_back(std::move(level));
    }
    return chain;
}

// The chain as BuildMipBands hands it out in bands of about `bandBytes`, put
// together; nothing when a band overlaps another or leaves a row out.
inline std::optional<MipChain> BandedMipChain(const BitmapImage& image, std::size_t bandBytes = kBandBytes) {
    MipChain chain;
    for (const LevelSize size : MipLevelSizes(image.layout.width, image.layout.height))
        chain.push_back({size.width, size.height, PictureBytes(LevelStride(size.width) * size.height, 0)});
    std::vector<int> rowsDone(chain.size(), 0);
    bool inOrder = true;
    std::size_t read = 0;
    const RowSource source = [&](int count, std::uint8_t* out) {
        const std::size_t bytes = LevelStride(image.layout.width) * static_cast<std::size_t>(count);
        if (read + bytes > image.pixels.size()) return false;
        std::memcpy(out, image.pixels.data() + read, bytes);
        read += bytes;
        return true;
    };
    const BandSink sink = [&](MipBand&& band) {
        MipLevel& level = chain.at(static_cast<std::size_t>(band.level));
        const std::size_t stride = LevelStride(level.width);
        inOrder = inOrder && band.size.width == level.width && band.size.height == level.height &&
                  band.firstRow == rowsDone[band.level] && band.rows > 0 &&
                  band.bgr.size() == stride * static_cast<std::size_t>(band.rows);
        if (!inOrder || band.firstRow + band.rows > level.height) return inOrder = false;
        std::memcpy(level.bgr.data() + stride * band.firstRow, band.bgr.data(), band.bgr.size());
        rowsDone[band.level] += band.rows;
        return true;
    };
    if (!BuildMipBands(image.layout.width, image.layout.height, source, sink, bandBytes) || !inOrder)
        return std::nullopt;
    for (std::size_t i = 0; i < chain.size(); ++i)
        if (rowsDone[i] != chain[i].height) return std::nullopt;
    return chain;
}

}  // namespace velmoran::testing
