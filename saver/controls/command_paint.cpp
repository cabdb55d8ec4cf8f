// How the button draws a face: gradient body, eight slices of the face
// image's border, caption across the full width.
#include "saver/controls/command.h"

#include <utility>

namespace velmoran {
namespace {

constexpr const char* kLightColour = "&HFFFFFF";
constexpr const char* kDarkColour = "&HC6C5D7";

}  // namespace

void Command::DrawFace(FaceImage image) {
    // The pointer-over look runs lavender to white, the others white to
    // lavender; the focused pointer-over look keeps whichever came before.
    if (faceState_ == kIdle) gradientFlip_ = false;
    if (faceState_ == kPointerOver) gradientFlip_ = true;
    if (faceState_ == kFocused) gradientFlip_ = false;

    PixelSize size = surface_.InnerSize();
    float W = size.w * kTwipsPerPixel, H = size.h * kTwipsPerPixel;
    UpdateMiddleBand(band_, W, H);

    surface_.Clear();
    DrawGradient();
    for (const FaceSlice& slice : FaceSlices(W, H, band_)) {
        PixelRect destination = TwipsToPixels(slice.destination);
        // A control smaller than the border leaves nothing of some edges.
        if (destination.w <= 0 || destination.h <= 0) continue;
        surface_.CopyFace(image, TwipsToPixels(slice.source), destination);
    }
    surface_.Refresh();

    lblMsg_.top = CaptionTop(H, lblMsg_.height);
    lblMsg_.left = 0;
    lblMsg_.width = W;
    surface_.ShowCaption(lblMsg_);
    linesVisible_ = {false, false, false, false};
}

void Command::DrawGradient() {
    PixelSize size = surface_.InnerSize();
    GradientVertex v0 = GradientColour(kLightColour), v1 = GradientColour(kDarkColour);
    if (gradientFlip_) std::swap(v0, v1);
    v0.x = 0;
    v0.y = 0;
    v1.x = size.w - 1;
    v1.y = size.h - 1;
    surface_.FillGradient({v0, v1}, GradientRect{1, 0});
    surface_.Refresh();
}

}  // namespace velmoran
