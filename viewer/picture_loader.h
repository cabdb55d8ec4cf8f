// The capture made ready for the texture: read and turned into its mipmap
// chain. On a large screen that is the longest part of the viewer's start;
// on a thread of its own it overlaps the creation of the window and the GL
// context, which need no picture.
#pragma once

#include "viewer/mip_chain.h"

#include <cstdint>
#include <future>
#include <optional>
#include <string>

namespace velmoran {

struct PreparedPicture {
    std::int32_t width = 0;   // as the bitmap's header gives them
    std::int32_t height = 0;
    MipChain chain;           // empty for a picture that cannot become a texture
};

// The picture in the bitmap file at `path`; nothing when the file is missing,
// unreadable or refused (see bitmap_header.h), or when there is no memory
// for it: the sphere is then drawn without a picture, as for a bad file.
std::optional<PreparedPicture> PreparePicture(const std::string& path);

// PreparePicture on a thread of its own, begun at construction.
class PictureLoader {
public:
    explicit PictureLoader(const std::string& path);
    PictureLoader(const PictureLoader&) = delete;
    PictureLoader& operator=(const PictureLoader&) = delete;

    // Waits for the picture. Nothing when it could not be prepared, and for
    // every call after the first.
    std::optional<PreparedPicture> Take();

private:
    std::future<std::optional<PreparedPicture>> result_;
};

}  // namespace velmoran
