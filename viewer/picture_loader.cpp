#include "viewer/picture_loader.h"

#include "viewer/bitmap_file.h"

#include <new>
#include <system_error>
#include <utility>

namespace velmoran {

std::optional<PreparedPicture> PreparePicture(const std::string& path) {
    try {
        std::optional<BitmapImage> image = ReadBitmapFile(path);
        if (!image) return std::nullopt;
        PreparedPicture picture{image->layout.width, image->layout.height, {}};
        picture.chain = BuildMipChain(std::move(*image));
        return picture;
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // no memory for a picture of that size: refused like a bad file
    }
}

PictureLoader::PictureLoader(const std::string& path) {
    try {
        result_ = std::async(std::launch::async, PreparePicture, path);
    } catch (const std::system_error&) {
        // No thread to be had: the picture is prepared when it is taken.
        result_ = std::async(std::launch::deferred, PreparePicture, path);
    }
}

std::optional<PreparedPicture> PictureLoader::Take() {
    if (!result_.valid()) return std::nullopt;
    return result_.get();
}

}  // namespace velmoran
