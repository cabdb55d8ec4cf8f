// The capture made ready for the texture: read and turned into the bands of
// its mipmap chain (mip_bands.h). On a large screen that is the longest part
// of the viewer's start; on a thread of its own it overlaps the creation of
// the window and the GL context, which need no picture, and the bands wait
// in a queue until GL takes them.
#pragma once

#include "viewer/band_queue.h"

#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <thread>

namespace velmoran {

struct PictureSize {
    std::int32_t width = 0;  // as the bitmap's header gives them
    std::int32_t height = 0;
};

// The picture in the bitmap file at `path`, prepared on a thread of its own
// begun at construction.
class PictureLoader {
public:
    explicit PictureLoader(std::string path);
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;
    // Bands not yet taken are dropped, and the preparation stops early.
    ~PictureLoader();

    // Waits for the picture's headers, asked once. Nothing when the file is
    // missing, unreadable or refused (see bitmap_header.h), or when there is
    // no memory for it: the sphere is then drawn without a picture.
    std::optional<PictureSize> Size();
    // The next band of the chain, waiting for it; nothing once all are
    // taken, and for a picture that cannot become a texture (MipLevelSizes).
    std::optional<MipBand> NextBand();
    // Once NextBand gives nothing: false when the chain failed part way (the
    // file ended early, or memory ran out), which refuses the picture as a
    // bad file is refused.
    bool Complete() const { return bands_.Complete(); }

private:
    // Reads the file and builds the bands: `beside` the GL thread, or on it
    // before it takes them, when the builder must never wait for it.
    void Prepare(bool beside);

    std::string path_;
    std::promise<std::optional<PictureSize>> size_;
    std::future<std::optional<PictureSize>> sizeKnown_;
    BandQueue bands_;
    std::thread thread_;
    bool prepared_ = false;  // with no thread to be had, by the first call that waits
};

}  // namespace velmoran
