#include "viewer/mip_chain.h"

#include "viewer/picture_scaling.h"

#include <algorithm>
#include <utility>

namespace velmoran {

namespace {

std::size_t Stride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

// The next level: each texel the rounded mean of the two by two texels
// below it; once a side is down to one texel, the truncated mean of the
// two neighbours along the other side, as GLU computes them.
MipLevel Halve(const MipLevel& level) {
    MipLevel half;
    half.width = std::max(1, level.width / 2);
    half.height = std::max(1, level.height / 2);
    const std::size_t from = Stride(level.width), to = Stride(half.width);
    half.bgr.resize(to * static_cast<std::size_t>(half.height));
    const bool alongRows = level.height == 1, alongColumns = level.width == 1;
    for (int y = 0; y < half.height; ++y) {
        const std::uint8_t* a = level.bgr.data() + from * static_cast<std::size_t>(alongRows ? 0 : 2 * y);
        const std::uint8_t* b = alongRows ? a : a + from;
        std::uint8_t* out = half.bgr.data() + to * static_cast<std::size_t>(y);
        if (alongColumns) {
            for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((a[c] + b[c]) / 2);
        } else if (alongRows) {
            for (int x = 0; x < half.width * 3; x += 3)
                for (int c = 0; c < 3; ++c) out[x + c] = static_cast<std::uint8_t>((a[2 * x + c] + a[2 * x + 3 + c]) / 2);
        } else {
            for (int x = 0; x < half.width * 3; x += 3)
                for (int c = 0; c < 3; ++c)
                    out[x + c] = static_cast<std::uint8_t>(
                        (a[2 * x + c] + a[2 * x + 3 + c] + b[2 * x + c] + b[2 * x + 3 + c] + 2) / 4);
        }
        std::fill(out + static_cast<std::size_t>(half.width) * 3, out + to, std::uint8_t{0});
    }
    return half;
}

}  // namespace

int PowerOfTwoSide(int size) {
    constexpr int kLargest = 1 << 30;  // far beyond any texture a GL takes
    int side = 1;
    for (unsigned v = static_cast<unsigned>(std::max(size, 1)); v > 1; v >>= 1) {
        if (v == 3) return side <= kLargest / 4 ? side * 4 : kLargest;
        side *= 2;
    }
    return side;
}

MipChain BuildMipChain(BitmapImage image) {
    const int width = image.layout.width, height = image.layout.height;
    if (width < 1 || height < 1) return {};
    MipLevel top{PowerOfTwoSide(width), PowerOfTwoSide(height), {}};
    if (top.width == width && top.height == height) {
        top.bgr = std::move(image.pixels);  // bitmap rows are padded to 4 bytes, as the levels are
    } else {
        top.bgr = ScalePicture({image.pixels.data(), width, height, Stride(width)}, top.width, top.height);
        image.pixels = {};
    }
    MipChain chain;
    chain.push_back(std::move(top));
    while (chain.back().width > 1 || chain.back().height > 1) chain.push_back(Halve(chain.back()));
    return chain;
}

}  // namespace velmoran
