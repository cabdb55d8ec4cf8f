#include "saver/dialog/icon_file.h"

#include <cstddef>

namespace velmoran {
namespace {

constexpr std::size_t kDirectoryHeader = 6, kDirectoryEntry = 16, kInfoHeader = 40;
constexpr std::uint16_t kIconType = 1, kCursorType = 2;
constexpr std::int64_t kMaxSide = 256;

std::uint16_t U16(std::span<const unsigned char> b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

std::uint32_t U32(std::span<const unsigned char> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

// Bytes of one stored row: whole 32-bit words.
std::size_t RowBytes(std::int64_t width, int bits) { return std::size_t((width * bits + 31) / 32 * 4); }

struct Dib {
    std::int64_t width = 0, height = 0;  // height of the picture, not of picture and mask
    int bits = 0;
    std::span<const unsigned char> palette, colours, mask;
};

// The bitmap's parts, each checked to lie inside the picture's bytes.
std::optional<Dib> ReadDib(std::span<const unsigned char> image) {
    if (image.size() < kInfoHeader) return std::nullopt;
    const std::uint32_t headerSize = U32(image, 0);
    Dib dib;
    dib.width = std::int32_t(U32(image, 4));
    const std::int64_t bothHeights = std::int32_t(U32(image, 8));
    dib.bits = U16(image, 14);
    const std::uint32_t compression = U32(image, 16), used = U32(image, 32);
    if (headerSize < kInfoHeader || headerSize > image.size() || U16(image, 12) != 1 || compression != 0)
        return std::nullopt;
    if (dib.bits != 1 && dib.bits != 4 && dib.bits != 8 && dib.bits != 24 && dib.bits != 32) return std::nullopt;
    // The stored height covers the picture and its mask below it.
    dib.height = bothHeights / 2;
    if (dib.width <= 0 || dib.width > kMaxSide || dib.height <= 0 || dib.height > kMaxSide) return std::nullopt;

    const std::size_t entries = dib.bits > 8 ? 0 : used ? used : std::size_t(1) << dib.bits;
    if (entries > 256) return std::nullopt;
    const std::size_t paletteBytes = entries * 4;
    const std::size_t colourBytes = RowBytes(dib.width, dib.bits) * std::size_t(dib.height);
    const std::size_t maskBytes = RowBytes(dib.width, 1) * std::size_t(dib.height);
    if (image.size() - headerSize < paletteBytes + colourBytes + maskBytes) return std::nullopt;
    dib.palette = image.subspan(headerSize, paletteBytes);
    dib.colours = image.subspan(headerSize + paletteBytes, colourBytes);
    dib.mask = image.subspan(headerSize + paletteBytes + colourBytes, maskBytes);
    return dib;
}

// Red, green, blue and alpha of the pixel at (x, row of the stored, bottom-up rows).
void ColourAt(const Dib& dib, std::int64_t x, std::int64_t row, std::uint8_t* out) {
    const unsigned char* line = dib.colours.data() + RowBytes(dib.width, dib.bits) * std::size_t(row);
    if (dib.bits >= 24) {
        const unsigned char* p = line + x * (dib.bits / 8);
        out[0] = p[2], out[1] = p[1], out[2] = p[0];
        out[3] = dib.bits == 32 ? p[3] : 255;
        return;
    }
    const std::int64_t bit = x * dib.bits;
    const unsigned shift = unsigned(8 - dib.bits - bit % 8);
    const std::size_t index = (line[bit / 8] >> shift) & ((1u << dib.bits) - 1);
    if (index * 4 + 3 < dib.palette.size()) {
        const unsigned char* entry = dib.palette.data() + index * 4;
        out[0] = entry[2], out[1] = entry[1], out[2] = entry[0];
    } else {
        out[0] = out[1] = out[2] = 0;
    }
    out[3] = 255;
}

bool Masked(const Dib& dib, std::int64_t x, std::int64_t row) {
    const unsigned char* line = dib.mask.data() + RowBytes(dib.width, 1) * std::size_t(row);
    return (line[x / 8] >> (7 - x % 8)) & 1;
}

// A 32-bit picture whose alpha bytes are all 0 carries no alpha: its mask
// says what shows.
bool HasAlpha(const IconPicture& picture) {
    for (std::size_t i = 3; i < picture.rgba.size(); i += 4)
        if (picture.rgba[i] != 0) return true;
    return false;
}

}  // namespace

std::optional<IconPicture> DecodeIconFile(std::span<const unsigned char> file) {
    if (file.size() < kDirectoryHeader + kDirectoryEntry || U16(file, 0) != 0) return std::nullopt;
    const std::uint16_t type = U16(file, 2);
    if ((type != kIconType && type != kCursorType) || U16(file, 4) == 0) return std::nullopt;
    const std::size_t entry = kDirectoryHeader;
    const std::uint32_t size = U32(file, entry + 8), offset = U32(file, entry + 12);
    if (offset > file.size() || size > file.size() - offset) return std::nullopt;
    const std::optional<Dib> dib = ReadDib(file.subspan(offset, size));
    if (!dib) return std::nullopt;

    IconPicture picture;
    picture.width = int(dib->width);
    picture.height = int(dib->height);
    if (type == kCursorType) {
        picture.hotX = U16(file, entry + 4);
        picture.hotY = U16(file, entry + 6);
    }
    picture.rgba.resize(std::size_t(picture.width) * std::size_t(picture.height) * 4);
    for (std::int64_t y = 0; y < dib->height; ++y) {
        const std::int64_t row = dib->height - 1 - y;  // bottom row first
        for (std::int64_t x = 0; x < dib->width; ++x)
            ColourAt(*dib, x, row, &picture.rgba[std::size_t((y * dib->width + x) * 4)]);
    }
    const bool alpha = dib->bits == 32 && HasAlpha(picture);
    for (std::int64_t y = 0; y < dib->height && !alpha; ++y)
        for (std::int64_t x = 0; x < dib->width; ++x)
            picture.rgba[std::size_t((y * dib->width + x) * 4 + 3)] = Masked(*dib, x, dib->height - 1 - y) ? 0 : 255;
    return picture;
}

}  // namespace velmoran
