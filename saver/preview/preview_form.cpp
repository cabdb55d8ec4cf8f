#include "saver/preview/preview_form.h"

namespace velmoran {

bool Velmoran_R::Embed() {
    const std::optional<ScreenRect> host = view_.HostRect();
    if (!host) return false;
    const TwipsPerPixel factors = view_.ScreenTwipsPerPixel();
    const PreviewSize size = PreviewSizeFor(*host, factors);
    using namespace preview_design;
    view_.Load(TwipsToPixels(kWidthTwips, factors.x), TwipsToPixels(kHeightTwips, factors.y),
               {0, 0, TwipsToPixels(kImageWidthTwips, factors.x), TwipsToPixels(kImageHeightTwips, factors.y)});
    if (!view_.BecomeChildOfHost()) return false;
    Cover(size);
    view_.Show();
    return true;
}

void Velmoran_R::HostResized() {
    if (const std::optional<ScreenRect> host = view_.HostRect())
        Cover(PreviewSizeFor(*host, view_.ScreenTwipsPerPixel()));
}

void Velmoran_R::Cover(const PreviewSize& size) {
    view_.PlaceForm(size.width, size.height);
    view_.PlaceImage({0, 0, size.width, size.height});
}

void Velmoran_R::Form_Unload() { view_.PostClose(); }

}  // namespace velmoran
