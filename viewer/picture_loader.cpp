#include "viewer/picture_loader.h"

#include "viewer/bitmap_file.h"

#include <new>
#include <system_error>
#include <utility>

namespace velmoran {

PictureLoader::PictureLoader(std::string path) : path_(std::move(path)), sizeKnown_(size_.get_future()) {
    try {
        thread_ = std::thread(&PictureLoader::Prepare, this);
    } catch (const std::system_error&) {
        // No thread to be had: the picture is prepared when it is first waited for.
    }
}

PictureLoader::~PictureLoader() {
    bands_.Abandon();
    if (thread_.joinable()) thread_.join();
}

void PictureLoader::Prepare() {
    prepared_ = true;
    bool sizeTold = false;
    try {
        std::optional<BitmapFile> file = OpenBitmapFile(path_);
        if (!file) {
            sizeTold = true;
            size_.set_value(std::nullopt);
            return bands_.Finish(false);
        }
        const PixelLayout layout = file->layout();
        sizeTold = true;
        size_.set_value(PictureSize{layout.width, layout.height});
        const bool built = BuildMipBands(
            layout.width, layout.height, [&file](int count, std::uint8_t* out) { return file->ReadRows(count, out); },
            [this](MipBand&& band) { return bands_.Push(std::move(band)); });
        bands_.Finish(built);
    } catch (const std::bad_alloc&) {
        // No memory for a picture of that size: refused like a bad file.
        if (!sizeTold) size_.set_value(std::nullopt);
        bands_.Finish(false);
    }
}

std::optional<PictureSize> PictureLoader::Size() {
    if (!thread_.joinable() && !prepared_) Prepare();
    return sizeKnown_.valid() ? sizeKnown_.get() : std::nullopt;
}

std::optional<MipBand> PictureLoader::NextBand() {
    if (!thread_.joinable() && !prepared_) Prepare();
    return bands_.Pop();
}

}  // namespace velmoran
