#include "saver/wayland/png_picture.h"

#include <png.h>

#include <algorithm>
#include <memory>
#include <new>

namespace velmoran::wayland {

namespace {

struct FreeImage {
    void operator()(png_image* image) const { png_image_free(image); }
};

bool WithinLargest(const png_image& image) {
    return image.width > 0 && image.height > 0 && image.width <= kLargestPictureSide &&
           image.height <= kLargestPictureSide &&
           static_cast<long long>(image.width) * image.height <= kLargestPicturePixels;
}

// Blue, green, red and alpha per pixel into the capture's rows: the alpha
// goes, so that a pixel keeps its own colour whatever its coverage.
ScreenPicture WithoutAlpha(const PictureBytes& bgra, int width, int height) {
    ScreenPicture picture{width, height, CaptureRowSize(width), {}};
    picture.bgr.resize(picture.stride * static_cast<std::size_t>(height));
    const auto* source = bgra.data();
    for (int y = 0; y < height; ++y) {
        auto* row = picture.bgr.data() + picture.stride * static_cast<std::size_t>(y);
        for (int x = 0; x < width; ++x, source += 4) row = std::copy(source, source + 3, row);
        std::fill(row, picture.bgr.data() + picture.stride * static_cast<std::size_t>(y + 1),
                  std::uint8_t{0});
    }
    return picture;
}

}  // namespace

std::optional<ScreenPicture> ReadPngPicture(std::FILE* file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const std::unique_ptr<png_image, FreeImage> reading(&image);
    if (!png_image_begin_read_from_stdio(&image, file) || !WithinLargest(image)) return std::nullopt;
    // A 16-bit file without gamma information holds sRGB values as an 8-bit
    // one does; libpng would otherwise take them for linear ones.
    image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    image.format = PNG_FORMAT_BGRA;
    try {
        PictureBytes bgra(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, bgra.data(), 0, nullptr)) return std::nullopt;
        return WithoutAlpha(bgra, static_cast<int>(image.width), static_cast<int>(image.height));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace velmoran::wayland
