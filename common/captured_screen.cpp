#include "common/captured_screen.h"

#include <algorithm>
#include <utility>

namespace velmoran {

namespace {

bool ZeroPadded(const std::uint8_t* rows, std::size_t count, std::size_t rowSize, std::size_t pixelBytes) {
    for (std::size_t y = 0; y < count && rowSize > pixelBytes; ++y) {
        const auto* padding = rows + rowSize * y + pixelBytes;
        if (std::any_of(padding, padding + (rowSize - pixelBytes), [](std::uint8_t b) { return b != 0; }))
            return false;
    }
    return true;
}

}  // namespace

std::size_t CaptureRowSize(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

std::span<const std::uint8_t> HeldPicture::Rows(int first, int count, std::span<std::uint8_t> band) const {
    const ScreenPicture& p = picture_;
    if (p.width <= 0 || first < 0 || count <= 0 || first > p.height - count) return {};
    const std::size_t rowSize = CaptureRowSize(p.width);
    const std::size_t pixelBytes = static_cast<std::size_t>(p.width) * 3;
    const auto rows = static_cast<std::size_t>(count);
    const std::size_t start = p.stride * static_cast<std::size_t>(first);
    if (p.stride < pixelBytes || p.bgr.size() < start + p.stride * (rows - 1) + pixelBytes) return {};
    const std::uint8_t* source = p.bgr.data() + start;
    // Rows already as the file stores them go out as they are.
    if (p.stride == rowSize && p.bgr.size() >= start + rowSize * rows && ZeroPadded(source, rows, rowSize, pixelBytes))
        return {source, rowSize * rows};
    if (band.size() < rowSize * rows) return {};
    for (std::size_t y = 0; y < rows; ++y) {
        std::uint8_t* row = band.data() + rowSize * y;
        std::copy_n(source + p.stride * y, pixelBytes, row);
        std::fill(row + pixelBytes, row + rowSize, std::uint8_t{0});
    }
    return band.first(rowSize * rows);
}

std::unique_ptr<CapturedScreen> HoldPicture(std::optional<ScreenPicture> picture) {
    if (!picture) return nullptr;
    return std::make_unique<HeldPicture>(std::move(*picture));
}

}  // namespace velmoran
