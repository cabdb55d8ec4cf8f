// The capture bitmap's headers as the viewer reads them: which files the
// texture upload may safely be handed, and how many pixel bytes follow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace velmoran {

inline constexpr std::size_t kFileHeaderSize = 14;
// The information header fields the reader uses end at byte 24 of it.
inline constexpr std::size_t kInfoFieldsSize = 24;

// The largest picture read: no side longer than the largest texture of
// current GLs, and no more pixels than 8192 x 8192 (an 8K screen has 33
// million), whose pixels and mipmap chain take some hundreds of megabytes.
// A larger one is refused before any memory is taken for it.
inline constexpr std::int32_t kLargestPictureSide = 16384;
inline constexpr std::uint64_t kMostPicturePixels = std::uint64_t{8192} * 8192;

// Where the pixel rows begin, from the 14-byte file header: only for a file
// that starts with "BM" and leaves room for the information header fields.
std::optional<std::uint32_t> PixelDataOffset(std::span<const std::uint8_t> fileHeader);

struct PixelLayout {
    std::int32_t width;
    std::int32_t height;      // negative for a top-down bitmap
    std::uint64_t dataSize;   // bytes of pixel data to read
};

// Bytes of one row of 24-bit pixels, padded to a multiple of 4.
std::uint64_t RowStride24(std::int32_t width);

// The pixel layout from the information header (all bytes between the file
// header and the pixel data). Refuses what the blue-green-red upload would
// misread: other bit depths than 24, any compression, a width below 1, a
// height of 0, and an image size field smaller than the rows it must hold;
// and a picture larger than the bounds above.
std::optional<PixelLayout> ReadPixelLayout(std::span<const std::uint8_t> infoHeader);

}  // namespace velmoran
