// A picture in memory, 8-bit red, green, blue per pixel, top row first, and
// the few drawing operations a button face needs where the platform offers no
// gradient fill or stretched copy of its own.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "saver/controls/face_surface.h"

namespace velmoran {

struct RgbImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;  // width * height * 3 bytes

    RgbImage() = default;
    RgbImage(int w, int h)
        : width(w > 0 ? w : 0), height(h > 0 ? h : 0), pixels(std::size_t(width) * height * 3) {}

    // 0xRRGGBB of a pixel inside the image.
    std::uint32_t At(int x, int y) const;
    void Put(int x, int y, std::uint32_t rgb);
};

void Fill(RgbImage& image, std::uint32_t rgb);

// A vertical two-colour gradient as a system gradient fill draws it: over the
// rectangle between the two vertices, far row and column excluded, the upper
// vertex's colour in the top row.
void FillVerticalGradient(RgbImage& image, const std::array<GradientVertex, 2>& vertices, GradientRect mesh);

// Copies a source rectangle into a destination rectangle, stretching or
// shrinking by picking the nearest source pixel; parts outside either image
// are left out.
void StretchCopy(RgbImage& target, PixelRect destination, const RgbImage& source, PixelRect from);

}  // namespace velmoran
