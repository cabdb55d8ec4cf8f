#include "viewer/picture_loader.h"

#include "viewer/bitmap_file.h"

#include <new>
#include <system_error>
#include <utility>

namespace velmoran {

namespace {

// A chain up to a 4K screen's is let be built whole while the window and
// context come up, so that it waits ready for GL. A larger one would sit
// beside the GL driver's copy, which the driver may take whole when the
// largest level is defined (llvmpipe fills it with zeros then, 171 MiB for
// an 8K screen's), so its builder stays at most a few bands ahead of GL.
constexpr std::size_t kWholeChainBytes = std::size_t{40} << 20;
constexpr std::size_t kLeadBytes = std::size_t{6} << 20;

}  // namespace

PictureLoader::PictureLoader(std::string path) : path_(std::move(path)), sizeKnown_(size_.get_future()) {
    try {
        thread_ = std::thread(&PictureLoader::Prepare, this, true);
    } catch (const std::system_error&) {
        // No thread to be had: the picture is prepared when it is first waited for.
    }
}

PictureLoader::~PictureLoader() {
    bands_.Abandon();
    if (thread_.joinable()) thread_.join();
}

void PictureLoader::Prepare(bool beside) {
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
        if (beside && MipChainBytes(layout.width, layout.height) > kWholeChainBytes) bands_.Bound(kLeadBytes);
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
    if (!thread_.joinable() && !prepared_) Prepare(false);
    return sizeKnown_.valid() ? sizeKnown_.get() : std::nullopt;
}

std::optional<MipBand> PictureLoader::NextBand() {
    if (!thread_.joinable() && !prepared_) Prepare(false);
    return bands_.Pop();
}

}  // namespace velmoran
