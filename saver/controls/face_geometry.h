// Where the pieces of a button face go: the eight slices that frame a button
// of any size with a 64 x 25 face image, the gradient's colours and the
// caption's place. Geometry is worked in twips, as the control's design is,
// and turned into pixels at 15 twips per pixel.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "saver/controls/face_surface.h"

namespace velmoran {

inline constexpr float kTwipsPerPixel = 15;
inline constexpr float kFaceBorder = 60;                     // 4 pixels
inline constexpr float kFaceWidth = 960, kFaceHeight = 375;  // 64 x 25 pixels
inline constexpr float kFaceBandWidth = 840, kFaceBandHeight = 255;
inline constexpr float kCaptionOffset = 20;                  // caption sits 10 twips above centre

struct TwipRect {
    float x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

struct FaceSlice {
    TwipRect source, destination;
};

// The middle band of the control, W - 120 and H - 120 rounded to whole twips;
// held as 16-bit integers, so that a band that does not fit keeps the value
// of the previous paint.
struct MiddleBand {
    std::int16_t w = 0, h = 0;
};
void UpdateMiddleBand(MiddleBand& band, float width, float height);

// The eight slices in drawing order: top-left corner, top edge, top-right
// corner, right edge, bottom-right corner, bottom edge, bottom-left corner,
// left edge.
std::array<FaceSlice, 8> FaceSlices(float width, float height, MiddleBand band);

int TwipsToPixels(float twips);
PixelRect TwipsToPixels(const TwipRect& rect);

// A colour text "&HRRGGBB" as a gradient colour: the pairs read left to right
// as red, green, blue, each byte v becoming the channel v * 256.
GradientVertex GradientColour(std::string_view text);

// The caption's top: (H - caption height - 20) / 2, in single precision.
float CaptionTop(float height, float captionHeight);

}  // namespace velmoran
