#include "viewer/bitmap_header.h"

#include <cstdlib>

namespace velmoran {

namespace {

constexpr std::uint16_t kBitmapType = 0x4D42;  // "BM", little-endian

std::uint16_t Word(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t DoubleWord(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(Word(b, at)) | static_cast<std::uint32_t>(Word(b, at + 2)) << 16;
}

}  // namespace

std::optional<std::uint32_t> PixelDataOffset(std::span<const std::uint8_t> fileHeader) {
    if (fileHeader.size() < kFileHeaderSize || Word(fileHeader, 0) != kBitmapType) return std::nullopt;
    std::uint32_t offset = DoubleWord(fileHeader, 10);
    if (offset < kFileHeaderSize + kInfoFieldsSize) return std::nullopt;
    return offset;
}

std::uint64_t RowStride24(std::int32_t width) {
    return (24 * static_cast<std::uint64_t>(width) + 31) / 32 * 4;
}

std::optional<PixelLayout> ReadPixelLayout(std::span<const std::uint8_t> infoHeader) {
    if (infoHeader.size() < kInfoFieldsSize) return std::nullopt;
    auto width = static_cast<std::int32_t>(DoubleWord(infoHeader, 4));
    auto height = static_cast<std::int32_t>(DoubleWord(infoHeader, 8));
    std::uint16_t bitsPerPixel = Word(infoHeader, 14);
    std::uint32_t compression = DoubleWord(infoHeader, 16);
    std::uint32_t imageSize = DoubleWord(infoHeader, 20);
    if (bitsPerPixel != 24 || compression != 0 || width < 1 || height == 0) return std::nullopt;
    const auto rows = static_cast<std::uint64_t>(std::llabs(height));
    if (width > kLargestPictureSide || rows > kLargestPictureSide ||
        static_cast<std::uint64_t>(width) * rows > kMostPicturePixels)
        return std::nullopt;

    // What the upload consumes: every row, padded to 4 bytes.
    std::uint64_t needed = rows * RowStride24(width);
    if (imageSize == 0) return PixelLayout{width, height, needed};
    if (imageSize < needed) return std::nullopt;
    return PixelLayout{width, height, imageSize};
}

}  // namespace velmoran
