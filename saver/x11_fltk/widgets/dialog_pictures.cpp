#include "saver/x11_fltk/widgets/dialog_pictures.h"

#include <memory>
#include <optional>
#include <string>

#include "common/assets.h"
#include "saver/dialog/icon_file.h"
#include "saver/x11_fltk/widgets/embedded_jpeg.h"

namespace velmoran {
namespace {

// An icon or cursor file's picture with its pixels owned by the image.
struct DecodedIcon {
    std::optional<IconPicture> picture;
    std::unique_ptr<Fl_RGB_Image> image;

    explicit DecodedIcon(std::string_view name) : picture(DecodeIconFile(FindAsset(name))) {
        if (picture) image = std::make_unique<Fl_RGB_Image>(picture->rgba.data(), picture->width, picture->height, 4);
    }
};

}  // namespace

Fl_RGB_Image* MarkPicture(design::ControlId picture) {
    static const std::unique_ptr<Fl_RGB_Image> off = LoadEmbeddedJpeg(design::ControlOf(design::ControlId::ImgRa0).picture);
    static const std::unique_ptr<Fl_RGB_Image> on = LoadEmbeddedJpeg(design::ControlOf(design::ControlId::ImgRa1).picture);
    if (picture == design::ControlId::ImgRa0) return off.get();
    if (picture == design::ControlId::ImgRa1) return on.get();
    return nullptr;
}

Fl_RGB_Image* WindowIconPicture() {
    static const DecodedIcon icon(design::kForm.icon);
    return icon.image.get();
}

PointerPicture LinkPointerPicture() {
    static const DecodedIcon pointer(design::ControlOf(design::ControlId::LblUrl).mousePointer);
    if (!pointer.picture) return {};
    return {pointer.image.get(), pointer.picture->hotX, pointer.picture->hotY};
}

}  // namespace velmoran
