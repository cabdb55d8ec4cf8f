// A photograph of the screen as the capture file is written from it: its
// rows in the file's layout, handed out a band at a time, so that the writer
// never holds a whole converted picture beside the screen's own pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>

#include "common/picture_memory.h"

namespace velmoran {

// Bytes of one stored row of the capture file: three per pixel, padded to a
// multiple of four.
std::size_t CaptureRowSize(int width);

// A screen picture in memory: rows top row first, each `stride` bytes long
// and holding `width` blue-green-red triples. With a stride of
// CaptureRowSize(width) and zeros in the padding the rows are exactly the
// capture file's pixel data, which is then written as it is.
struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
    PictureBytes bgr;
};

// What a display driver hands back of the screen. Each driver keeps what it
// read in its own form and makes the file's rows of it only when asked.
class CapturedScreen {
public:
    virtual ~CapturedScreen() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // The rows first to first + count - 1, top row first, each
    // CaptureRowSize(Width()) bytes with zeros in the padding: the capture
    // file's pixel data for them. They are made in `band` (room for at least
    // `count` such rows), or handed out from the screen's own memory where it
    // holds them so already. Empty when the range lies outside the picture,
    // the band is too small or the rows cannot be made.
    virtual std::span<const std::uint8_t> Rows(int first, int count, std::span<std::uint8_t> band) const = 0;
};

// A screen read into one whole picture already (a compositor's outputs put
// together, a desktop rebuilt from its windows).
class HeldPicture final : public CapturedScreen {
public:
    explicit HeldPicture(ScreenPicture picture) : picture_(std::move(picture)) {}

    int Width() const override { return picture_.width; }
    int Height() const override { return picture_.height; }
    std::span<const std::uint8_t> Rows(int first, int count, std::span<std::uint8_t> band) const override;

private:
    ScreenPicture picture_;
};

// The picture held as a captured screen; nothing when there is none.
std::unique_ptr<CapturedScreen> HoldPicture(std::optional<ScreenPicture> picture);

}  // namespace velmoran
