#include "saver/controls/rgb_image.h"

#include <algorithm>
#include <utility>

namespace velmoran {

std::uint32_t RgbImage::At(int x, int y) const {
    const std::uint8_t* p = &pixels[(std::size_t(y) * width + x) * 3];
    return std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
}

void RgbImage::Put(int x, int y, std::uint32_t rgb) {
    std::uint8_t* p = &pixels[(std::size_t(y) * width + x) * 3];
    p[0] = std::uint8_t(rgb >> 16);
    p[1] = std::uint8_t(rgb >> 8);
    p[2] = std::uint8_t(rgb);
}

void Fill(RgbImage& image, std::uint32_t rgb) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) image.Put(x, y, rgb);
}

void FillVerticalGradient(RgbImage& image, const std::array<GradientVertex, 2>& vertices, GradientRect mesh) {
    if (mesh.upperLeft > 1 || mesh.lowerRight > 1) return;
    const GradientVertex* top = &vertices[mesh.upperLeft];
    const GradientVertex* bottom = &vertices[mesh.lowerRight];
    if (top->y > bottom->y) std::swap(top, bottom);
    const std::int64_t length = std::int64_t(bottom->y) - top->y;
    const int left = std::max(0, std::min(top->x, bottom->x));
    const int right = std::min(image.width, std::max(top->x, bottom->x));
    const int first = std::max(0, top->y), last = std::min(image.height, bottom->y);
    auto channel = [&](std::uint16_t a, std::uint16_t b, std::int64_t pos) {
        return std::uint32_t((a * (length - pos) + b * pos) / length / 256);
    };
    for (int y = first; y < last; ++y) {
        std::int64_t pos = y - top->y;
        std::uint32_t rgb = channel(top->red, bottom->red, pos) << 16 |
                            channel(top->green, bottom->green, pos) << 8 |
                            channel(top->blue, bottom->blue, pos);
        for (int x = left; x < right; ++x) image.Put(x, y, rgb);
    }
}

void StretchCopy(RgbImage& target, PixelRect to, const RgbImage& source, PixelRect from) {
    if (to.w <= 0 || to.h <= 0 || from.w <= 0 || from.h <= 0) return;
    for (int dy = 0; dy < to.h; ++dy) {
        int ty = to.y + dy, sy = from.y + int(std::int64_t(dy) * from.h / to.h);
        if (ty < 0 || ty >= target.height || sy < 0 || sy >= source.height) continue;
        for (int dx = 0; dx < to.w; ++dx) {
            int tx = to.x + dx, sx = from.x + int(std::int64_t(dx) * from.w / to.w);
            if (tx < 0 || tx >= target.width || sx < 0 || sx >= source.width) continue;
            target.Put(tx, ty, source.At(sx, sy));
        }
    }
}

}  // namespace velmoran
