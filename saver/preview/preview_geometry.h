// How big the preview is: the host window's outer size goes into twips, the
// unit in which a form's outer size is set, and back into pixels for the
// picture, with the screen's twips-per-pixel factors both ways.
#pragma once

#include <cstdint>

#include "saver/screen_rect.h"

namespace velmoran {

// The screen's twips (1/1440 inch) per pixel, across and down: 15 at 96 dpi.
struct TwipsPerPixel {
    double x = 15;
    double y = 15;
};

// The factors of a screen of that many logical dots per inch. A resolution
// that is not positive counts as 96 dpi.
TwipsPerPixel TwipsPerPixelAt(double dpiX, double dpiY);

struct PreviewSize {
    // The form's outer size in twips.
    std::int32_t widthTwips = 0;
    std::int32_t heightTwips = 0;
    // The same in pixels: the size of the form and of its picture.
    int width = 0;
    int height = 0;
    bool operator==(const PreviewSize&) const = default;
};

// The size that makes the preview cover its host. Twips are whole numbers,
// rounded half to even, and held in 32 bits: in 16 bits any host wider or
// taller than 2,184 pixels (at 15 twips per pixel) would overflow and leave
// the preview with no size at all. A rectangle turned inside out has no size.
PreviewSize PreviewSizeFor(const ScreenRect& host, const TwipsPerPixel& factors);

// Twips to whole pixels at `twipsPerPixel`, rounded half to even.
int TwipsToPixels(std::int32_t twips, double twipsPerPixel);

}  // namespace velmoran
