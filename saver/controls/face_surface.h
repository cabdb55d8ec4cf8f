// What the push button draws on: its persistent back image, shown on screen
// by Refresh, with the caption element shown over it. Each back end
// implements it with the platform's own drawing calls.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "saver/controls/button_font.h"

namespace velmoran {

// The six face images; HighLight and HighLightSelect are the same picture.
enum class FaceImage : std::uint8_t { Normal, HighLight, HighLightSelect, Selected, Pressed, Disable };
inline constexpr int kFaceImageCount = 6;

struct PixelSize {
    int w = 0, h = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A corner of a two-colour gradient: position in pixels, 16-bit channels
// (a byte value v is v * 256), alpha unused.
struct GradientVertex {
    std::int32_t x = 0, y = 0;
    std::uint16_t red = 0, green = 0, blue = 0, alpha = 0;
    friend bool operator==(const GradientVertex&, const GradientVertex&) = default;
};

// Which of the two vertices is given as the upper-left and which as the
// lower-right corner of the filled rectangle.
struct GradientRect {
    std::uint32_t upperLeft = 0, lowerRight = 1;
};

// The caption element: its text, look and place (twips, relative to the
// control). Its background is transparent: the face shows around the text.
struct CaptionElement {
    std::string text = "Command";
    ButtonFont font = DesignFont();
    std::uint32_t colour = 0;  // platform colour: red in the lowest byte
    bool enabled = true;       // false: the platform's greyed disabled-text look
    float left = 0, top = 90, width = 1635, height = 195;
};

class FaceSurface {
public:
    virtual ~FaceSurface() = default;

    // The control's inner size in pixels.
    virtual PixelSize InnerSize() const = 0;

    // Fills the back image with the control's background colour.
    virtual void Clear() = 0;

    // A vertical gradient over the rectangle the two vertices span, the far
    // row and column excluded: the upper vertex's colour in the top row,
    // moving evenly to the other one's at the bottom.
    virtual void FillGradient(const std::array<GradientVertex, 2>& vertices, GradientRect mesh) = 0;

    // Copies a rectangle of a face image into a rectangle of the back image,
    // stretching it to the destination size (plain copy, no transparency).
    virtual void CopyFace(FaceImage image, PixelRect source, PixelRect destination) = 0;

    // Shows the back image, with the caption over it, on screen.
    virtual void Refresh() = 0;

    // The caption element changed (text, font, colour, enabled look, place).
    virtual void ShowCaption(const CaptionElement& caption) = 0;

    // Opaque: the back image shows; transparent: only the caption text does,
    // over whatever lies beneath the control.
    virtual void SetOpaque(bool opaque) = 0;
};

}  // namespace velmoran
