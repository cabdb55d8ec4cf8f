// Velmoran_R, the still preview: a borderless black form that goes into a
// window of the system's display settings (the little monitor) and shows a
// sample picture of the show over the whole of it.
#pragma once

#include <cstdint>
#include <optional>

#include "saver/preview/preview_geometry.h"
#include "saver/rgb_colour.h"
#include "saver/screen_rect.h"

namespace velmoran {

// The form as designed. Sizes are twips; the form's inner scale is pixels.
namespace preview_design {
inline constexpr const char* kCaption = "Preview Window";
inline constexpr RgbColour kBackColour = kBlack;
// Inner size, 173 x 129 pixels at 15 twips per pixel; the host's size
// replaces it once the form is embedded.
inline constexpr std::int32_t kWidthTwips = 2595;
inline constexpr std::int32_t kHeightTwips = 1935;
// Drawn unscaled at the form's top-left corner, under Img_Prev.
inline constexpr const char* kBackgroundPicture = "preview_background.jpg";
// Img_Prev: a sample of the show, at 0, 0 and 152 x 112 pixels in the design,
// sized to the host once embedded. Its picture is scaled to fill it.
inline constexpr const char* kSamplePicture = "preview_sample.jpg";
inline constexpr std::int32_t kImageWidthTwips = 2280;
inline constexpr std::int32_t kImageHeightTwips = 1680;
}  // namespace preview_design

// A place in the form, in pixels.
struct PreviewRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PreviewRect&) const = default;
};

// The form's window on the platform, and the host window it goes into.
class PreviewView {
public:
    virtual ~PreviewView() = default;

    // The host's outer rectangle; nothing when there is no such window.
    virtual std::optional<ScreenRect> HostRect() = 0;
    virtual TwipsPerPixel ScreenTwipsPerPixel() = 0;

    // Creates the form's window without showing it: the design's caption,
    // no border, black, `width` x `height` inside, the background picture at
    // the top-left corner and Img_Prev at `image` over it.
    virtual void Load(int width, int height, const PreviewRect& image) = 0;
    // Turns the form into a child window of the host. False when the host
    // would not take it.
    virtual bool BecomeChildOfHost() = 0;
    // Moves the form to 0, 0 of the host and gives it this outer size.
    virtual void PlaceForm(int width, int height) = 0;
    virtual void PlaceImage(const PreviewRect& image) = 0;
    virtual void Show() = 0;
    // Posts a close request to the form's own window.
    virtual void PostClose() = 0;
};

class Velmoran_R {
public:
    explicit Velmoran_R(PreviewView& view) : view_(view) {}

    // Loads the form into the host, covering it, and shows it. False when
    // there is no host to show it in: nothing is shown and the preview ends,
    // rather than leave a window no one can see or close.
    bool Embed();
    // The host took another size: the form and its picture follow.
    void HostResized();
    // The form is going: the host closed or destroyed it.
    void Form_Unload();

private:
    // Gives the form and Img_Prev the host's size.
    void Cover(const PreviewSize& size);

    PreviewView& view_;
};

}  // namespace velmoran
