#include "saver/x11_fltk/widgets/embedded_jpeg.h"

#include <FL/Fl_JPEG_Image.H>

#include <string>

#include "common/assets.h"

namespace velmoran {

std::unique_ptr<Fl_RGB_Image> LoadEmbeddedJpeg(std::string_view name) {
    const auto bytes = FindAsset(name);
    if (bytes.empty()) return nullptr;
    auto picture = std::make_unique<Fl_JPEG_Image>(std::string(name).c_str(), bytes.data());
    if (picture->fail() || picture->w() <= 0 || picture->h() <= 0) return nullptr;
    return picture;
}

}  // namespace velmoran
