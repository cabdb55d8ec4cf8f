#include "saver/show/screen_pixels.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace velmoran {

namespace {

// One primary inside a pixel value, scaled to 0..255.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), bits_(std::popcount(mask)) {}

    // One unbroken run of bits, as every direct-colour visual has.
    bool Usable() const {
        const std::uint32_t run = mask_ >> shift_;
        return bits_ > 0 && (run & (run + 1)) == 0;
    }

    std::uint8_t operator()(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask_) >> shift_;
        if (bits_ >= 8) return static_cast<std::uint8_t>(value >> (bits_ - 8));
        const std::uint32_t top = (1u << bits_) - 1;
        return static_cast<std::uint8_t>((value * 255 + top / 2) / top);
    }

private:
    std::uint32_t mask_;
    int shift_;
    int bits_;
};

std::uint32_t ReadPixel(const std::uint8_t* p, int bytes, bool msbFirst) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) {
        const int shift = msbFirst ? 8 * (bytes - 1 - i) : 8 * i;
        v |= static_cast<std::uint32_t>(p[i]) << shift;
    }
    return v;
}

// The layout of nearly every screen today: 32-bit pixels holding blue,
// green, red in their first three bytes. Copied without looking at masks.
bool IsPlainBgrx(const PixelLayout& layout) {
    return layout.palette.empty() && layout.bitsPerPixel == 32 && !layout.mostSignificantFirst &&
           layout.redMask == 0xFF0000 && layout.greenMask == 0x00FF00 && layout.blueMask == 0x0000FF;
}

// Four pixels at a time: sixteen bytes in, twelve out, through whole words
// rather than byte by byte.
void CopyBgrxRow(const std::uint8_t* from, int width, std::uint8_t* to) {
    int x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; x + 4 <= width; x += 4, from += 16, to += 12) {
            std::uint32_t p[4];
            std::memcpy(p, from, sizeof p);
            const std::uint32_t packed[3] = {(p[0] & 0xFFFFFF) | p[1] << 24, (p[1] >> 8 & 0xFFFF) | p[2] << 16,
                                             (p[2] >> 16 & 0xFF) | p[3] << 8};
            std::memcpy(to, packed, sizeof packed);
        }
    }
    for (; x < width; ++x, from += 4, to += 3) to[0] = from[0], to[1] = from[1], to[2] = from[2];
}

// The primaries of a direct-colour layout.
struct Channels {
    explicit Channels(const PixelLayout& layout)
        : red(layout.redMask), green(layout.greenMask), blue(layout.blueMask) {}
    Channel red, green, blue;
};

bool Readable(const PixelLayout& layout, const Channels& c) {
    const int bpp = layout.bitsPerPixel;
    if (bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
    return !layout.palette.empty() || (c.red.Usable() && c.green.Usable() && c.blue.Usable());
}

void ConvertRow(const std::uint8_t* from, int width, const PixelLayout& layout, const Channels& channels,
                std::uint8_t* to) {
    const int bytes = layout.bitsPerPixel / 8;
    for (int x = 0; x < width; ++x, from += bytes, to += 3) {
        const std::uint32_t value = ReadPixel(from, bytes, layout.mostSignificantFirst);
        if (!layout.palette.empty()) {
            static constexpr std::array<std::uint8_t, 3> kBlack{};
            const auto& c = value < layout.palette.size() ? layout.palette[value] : kBlack;
            to[0] = c[0], to[1] = c[1], to[2] = c[2];
        } else {
            to[0] = channels.blue(value), to[1] = channels.green(value), to[2] = channels.red(value);
        }
    }
}

}  // namespace

bool CanConvert(int width, std::size_t bytesPerLine, const PixelLayout& layout) {
    if (width <= 0 || !Readable(layout, Channels(layout))) return false;
    return bytesPerLine >= static_cast<std::size_t>(width) * (layout.bitsPerPixel / 8);
}

bool ConvertToBgr(const std::uint8_t* pixels, int width, int height, std::size_t bytesPerLine,
                  const PixelLayout& layout, std::span<std::uint8_t> out) {
    if (!pixels || height <= 0 || !CanConvert(width, bytesPerLine, layout)) return false;
    const std::size_t rowSize = CaptureRowSize(width);
    if (out.size() / rowSize < static_cast<std::size_t>(height)) return false;
    const Channels channels(layout);
    const bool plain = IsPlainBgrx(layout);
    const std::size_t pixelBytes = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = pixels + bytesPerLine * y;
        std::uint8_t* row = out.data() + rowSize * y;
        std::fill(row + pixelBytes, row + rowSize, std::uint8_t{0});
        if (plain)
            CopyBgrxRow(from, width, row);
        else
            ConvertRow(from, width, layout, channels, row);
    }
    return true;
}

bool ConvertToBgr(const std::uint8_t* pixels, int width, int height, std::size_t bytesPerLine,
                  const PixelLayout& layout, ScreenPicture& out) {
    if (!pixels || height <= 0 || !CanConvert(width, bytesPerLine, layout)) return false;
    ScreenPicture picture{width, height, CaptureRowSize(width), {}};
    picture.bgr.resize(picture.stride * static_cast<std::size_t>(height));
    ConvertToBgr(pixels, width, height, bytesPerLine, layout, picture.bgr);
    out = std::move(picture);
    return true;
}

}  // namespace velmoran
