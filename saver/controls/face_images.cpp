#include "saver/controls/face_images.h"

#include <cstdint>
#include <cstdlib>

#include "common/assets.h"

namespace velmoran {
namespace {

constexpr std::int64_t kMaxSide = 16384;

std::uint32_t U32(std::span<const unsigned char> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

std::uint16_t U16(std::span<const unsigned char> b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

}  // namespace

std::string_view FaceAssetName(FaceImage image) {
    switch (image) {
    case FaceImage::Normal: return "button/normal.bmp";
    case FaceImage::HighLight: return "button/highlight.bmp";
    case FaceImage::HighLightSelect: return "button/highlight-select.bmp";
    case FaceImage::Selected: return "button/selected.bmp";
    case FaceImage::Pressed: return "button/pressed.bmp";
    case FaceImage::Disable: return "button/disable.bmp";
    }
    return {};
}

std::optional<RgbImage> DecodeBmp24(std::span<const unsigned char> file) {
    constexpr std::size_t kFileHeader = 14, kInfoHeader = 40;
    if (file.size() < kFileHeader + kInfoHeader || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    const std::uint32_t offset = U32(file, 10), infoSize = U32(file, 14);
    const std::int64_t width = std::int32_t(U32(file, 18)), height = std::int32_t(U32(file, 22));
    if (infoSize < kInfoHeader || U16(file, 26) != 1 || U16(file, 28) != 24 || U32(file, 30) != 0)
        return std::nullopt;
    if (width <= 0 || width > kMaxSide || height == 0 || std::llabs(height) > kMaxSide) return std::nullopt;
    const std::int64_t rows = std::llabs(height), rowSize = (width * 3 + 3) & ~std::int64_t(3);
    if (offset < kFileHeader + infoSize || std::int64_t(offset) + rowSize * rows > std::int64_t(file.size()))
        return std::nullopt;

    RgbImage image{int(width), int(rows)};
    for (std::int64_t y = 0; y < rows; ++y) {
        std::int64_t stored = height > 0 ? rows - 1 - y : y;  // positive height: bottom row first
        const unsigned char* row = &file[offset + stored * rowSize];
        for (std::int64_t x = 0; x < width; ++x)
            image.Put(int(x), int(y), std::uint32_t(row[x * 3 + 2]) << 16 | row[x * 3 + 1] << 8 | row[x * 3]);
    }
    return image;
}

std::optional<RgbImage> LoadFaceImage(FaceImage image) { return DecodeBmp24(FindAsset(FaceAssetName(image))); }

}  // namespace velmoran
