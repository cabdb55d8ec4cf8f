#include "saver/controls/face_geometry.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace velmoran {
namespace {

std::optional<std::int16_t> RoundToInt16(float value) {
    float rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max()))
        return std::nullopt;
    return std::int16_t(rounded);
}

std::uint16_t Channel(std::string_view pair) {
    unsigned value = 0;
    std::from_chars(pair.data(), pair.data() + pair.size(), value, 16);
    return std::uint16_t(value * 256);
}

}  // namespace

void UpdateMiddleBand(MiddleBand& band, float width, float height) {
    if (auto w = RoundToInt16(width - 2 * kFaceBorder)) band.w = *w;
    if (auto h = RoundToInt16(height - 2 * kFaceBorder)) band.h = *h;
}

std::array<FaceSlice, 8> FaceSlices(float W, float H, MiddleBand band) {
    const float b = kFaceBorder, right = kFaceWidth - b, bottom = kFaceHeight - b;
    const float bw = kFaceBandWidth, bh = kFaceBandHeight;
    return {{
        {{0, 0, b, b}, {1, 1, b, b}},
        {{b, 1, bw, b}, {b, 1, float(band.w), b}},
        {{right, 1, b, b}, {W - b, 1, b, b}},
        {{right, b, b, bh}, {W - b, b, b, float(band.h)}},
        {{right, bottom, b, b}, {W - b, H - b, b, b}},
        {{b, bottom, bw, b}, {b, H - b, float(band.w), b}},
        {{0, bottom, b, b}, {1, H - b, b, b}},
        {{1, b, b, bh}, {1, b, b, float(band.h)}},
    }};
}

int TwipsToPixels(float twips) { return int(std::lround(twips / kTwipsPerPixel)); }

PixelRect TwipsToPixels(const TwipRect& r) {
    return {TwipsToPixels(r.x), TwipsToPixels(r.y), TwipsToPixels(r.w), TwipsToPixels(r.h)};
}

GradientVertex GradientColour(std::string_view text) {
    if (text.starts_with("&H")) text.remove_prefix(2);
    GradientVertex v;
    if (text.size() < 6) return v;
    v.red = Channel(text.substr(0, 2));
    v.green = Channel(text.substr(2, 2));
    v.blue = Channel(text.substr(4, 2));
    return v;
}

float CaptionTop(float height, float captionHeight) {
    return (height - captionHeight - kCaptionOffset) / 2;
}

}  // namespace velmoran
