// The picture's rows that the rows of a level being scaled from it still
// need: a window that moves up the picture, read from the source as it goes,
// so that the picture is never held whole.
#pragma once

#include "common/picture_memory.h"
#include "viewer/mip_bands.h"

#include <cstddef>
#include <cstdint>

namespace velmoran {

class SourceWindow {
public:
    // A window of at most `capacity` rows of a width x height picture.
    SourceWindow(const RowSource& source, int width, int height, int capacity);

    // Holds rows [from, to), at most `capacity` of them, reading what it
    // lacks; the rows before `from` are never asked for again. False when
    // the source fails.
    bool Hold(int from, int to);
    // A row held, and the bytes to the next.
    const std::uint8_t* Row(int row) const { return rows_.data() + stride_ * static_cast<std::size_t>(row - first_); }
    std::size_t stride() const { return stride_; }

private:
    void Drop(int from);

    const RowSource& source_;
    std::size_t stride_;
    int height_, capacity_;
    int first_ = 0, count_ = 0;  // the rows held
    PictureBytes rows_;
};

}  // namespace velmoran
