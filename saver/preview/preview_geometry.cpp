#include "saver/preview/preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace velmoran {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kDefaultDpi = 96;

// A length in pixels as whole twips; never negative, at most what 32 bits hold.
std::int32_t PixelsToTwips(std::int64_t pixels, double twipsPerPixel) {
    const double twips = std::nearbyint(static_cast<double>(pixels) * twipsPerPixel);
    return static_cast<std::int32_t>(std::clamp(twips, 0.0, double(INT32_MAX)));
}

}  // namespace

TwipsPerPixel TwipsPerPixelAt(double dpiX, double dpiY) {
    return {kTwipsPerInch / (dpiX > 0 ? dpiX : kDefaultDpi), kTwipsPerInch / (dpiY > 0 ? dpiY : kDefaultDpi)};
}

int TwipsToPixels(std::int32_t twips, double twipsPerPixel) {
    const double pixels = std::nearbyint(twips / twipsPerPixel);
    return static_cast<int>(std::clamp(pixels, double(INT32_MIN), double(INT32_MAX)));
}

PreviewSize PreviewSizeFor(const ScreenRect& host, const TwipsPerPixel& factors) {
    PreviewSize size;
    size.widthTwips = PixelsToTwips(std::int64_t(host.right) - host.left, factors.x);
    size.heightTwips = PixelsToTwips(std::int64_t(host.bottom) - host.top, factors.y);
    size.width = TwipsToPixels(size.widthTwips, factors.x);
    size.height = TwipsToPixels(size.heightTwips, factors.y);
    return size;
}

}  // namespace velmoran
