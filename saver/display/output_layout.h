// The outputs of a desktop, each photographed on its own, as one picture of
// the whole layout: what a compositor hands over output by output (Wayland's
// screen copy) becomes the capture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "common/captured_screen.h"

namespace velmoran {

// 32-bit pixels, named as a little-endian value from its top byte down (as
// wl_shm names them): Xrgb8888 is stored blue, green, red, unused.
enum class ShotFormat { Xrgb8888, Argb8888, Xbgr8888, Abgr8888 };

// One output's picture and its place in the layout.
struct OutputShot {
    // Where the output lies in the layout and how large it is there, in
    // logical pixels (its size before any scale).
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    // The picture as the compositor filled it: rows `stride` bytes apart,
    // top row first unless `yInverted`. A buffer larger than the logical
    // size (an output scaled 2) is scaled down to it.
    int bufferWidth = 0;
    int bufferHeight = 0;
    std::size_t stride = 0;
    ShotFormat format = ShotFormat::Xrgb8888;
    bool yInverted = false;
    std::span<const std::uint8_t> bytes;
};

// The largest layout taken, as large as the viewer shows (its
// bitmap_header.h), and the largest side of a buffer.
inline constexpr int kLargestLayoutSide = 16384;
inline constexpr std::int64_t kMostLayoutPixels = std::int64_t{8192} * 8192;

// The bounding box of every output in logical pixels, the outputs placed in
// it and the gaps between them black; where outputs overlap, the later one
// shows. Nothing when there is no output, the box is larger than the limits
// above, or any shot is not whole: a size not positive or above
// kLargestLayoutSide, rows shorter than the buffer's width, fewer bytes
// than its rows need.
std::optional<ScreenPicture> ComposeOutputs(std::span<const OutputShot> shots);

}  // namespace velmoran
