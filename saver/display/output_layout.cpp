#include "saver/display/output_layout.h"

#include <algorithm>
#include <vector>

namespace velmoran {

namespace {

constexpr std::size_t kBytesPerPixel = 4;

bool SideFits(std::int64_t side) { return side > 0 && side <= kLargestLayoutSide; }

bool Whole(const OutputShot& shot) {
    if (!SideFits(shot.width) || !SideFits(shot.height) || !SideFits(shot.bufferWidth) ||
        !SideFits(shot.bufferHeight))
        return false;
    const std::size_t row = static_cast<std::size_t>(shot.bufferWidth) * kBytesPerPixel;
    if (shot.stride < row) return false;
    // The rows before the last, without a product that may wrap; the last
    // row need not carry its padding.
    const std::size_t before = static_cast<std::size_t>(shot.bufferHeight - 1);
    if (before > 0 && shot.stride > shot.bytes.size() / before) return false;
    return shot.bytes.size() - shot.stride * before >= row;
}

// The layout's bounding box, in 64 bits: positions and sizes come from the
// compositor and may add up past an int.
struct Box {
    std::int64_t left, top, right, bottom;
};

std::optional<Box> BoundsOf(std::span<const OutputShot> shots) {
    if (shots.empty()) return std::nullopt;
    Box box{shots[0].x, shots[0].y, shots[0].x, shots[0].y};
    for (const auto& shot : shots) {
        if (!Whole(shot)) return std::nullopt;
        box.left = std::min<std::int64_t>(box.left, shot.x);
        box.top = std::min<std::int64_t>(box.top, shot.y);
        box.right = std::max(box.right, std::int64_t{shot.x} + shot.width);
        box.bottom = std::max(box.bottom, std::int64_t{shot.y} + shot.height);
    }
    const std::int64_t width = box.right - box.left, height = box.bottom - box.top;
    if (!SideFits(width) || !SideFits(height) || width * height > kMostLayoutPixels) return std::nullopt;
    return box;
}

// Where blue, green and red lie among a stored pixel's four bytes.
struct ByteOrder {
    int blue, green, red;
};

ByteOrder OrderOf(ShotFormat format) {
    switch (format) {
        case ShotFormat::Xbgr8888:
        case ShotFormat::Abgr8888:
            return {2, 1, 0};
        case ShotFormat::Xrgb8888:
        case ShotFormat::Argb8888:
            break;
    }
    return {0, 1, 2};
}

// The buffer's pixels [first, last) that make logical pixel `index` of
// `logical`: a box of them where the buffer is larger, one where it is not.
struct Span {
    int first, last;
};

std::vector<Span> SpansOf(int logical, int buffer) {
    std::vector<Span> spans(static_cast<std::size_t>(logical));
    for (int i = 0; i < logical; ++i) {
        const int first = static_cast<int>(std::int64_t{i} * buffer / logical);
        const int last = static_cast<int>(std::int64_t{i + 1} * buffer / logical);
        spans[static_cast<std::size_t>(i)] = {first, std::max(last, first + 1)};
    }
    return spans;
}

class ShotReader {
public:
    explicit ShotReader(const OutputShot& shot) : shot_(shot), order_(OrderOf(shot.format)) {}

    // Blue, green, red of the picture's box `columns` x `rows`, averaged.
    void Average(Span columns, Span rows, std::uint8_t* bgr) const {
        std::uint64_t sum[3] = {0, 0, 0};
        for (int y = rows.first; y < rows.last; ++y) {
            const std::uint8_t* row = Row(y);
            for (int x = columns.first; x < columns.last; ++x) {
                const std::uint8_t* pixel = row + static_cast<std::size_t>(x) * kBytesPerPixel;
                sum[0] += pixel[order_.blue];
                sum[1] += pixel[order_.green];
                sum[2] += pixel[order_.red];
            }
        }
        const auto count =
            static_cast<std::uint64_t>(columns.last - columns.first) * static_cast<std::uint64_t>(rows.last - rows.first);
        for (int c = 0; c < 3; ++c) bgr[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    }

private:
    // Row `y` of the picture, its top row 0, however the buffer stores it.
    const std::uint8_t* Row(int y) const {
        const int stored = shot_.yInverted ? shot_.bufferHeight - 1 - y : y;
        return shot_.bytes.data() + shot_.stride * static_cast<std::size_t>(stored);
    }

    const OutputShot& shot_;
    ByteOrder order_;
};

void Draw(const OutputShot& shot, const Box& box, ScreenPicture& picture) {
    const ShotReader reader(shot);
    const auto columns = SpansOf(shot.width, shot.bufferWidth);
    const auto rows = SpansOf(shot.height, shot.bufferHeight);
    const std::size_t left = static_cast<std::size_t>(shot.x - box.left);
    const std::size_t top = static_cast<std::size_t>(shot.y - box.top);
    for (int y = 0; y < shot.height; ++y) {
        std::uint8_t* out = picture.bgr.data() + picture.stride * (top + static_cast<std::size_t>(y)) + left * 3;
        for (int x = 0; x < shot.width; ++x, out += 3)
            reader.Average(columns[static_cast<std::size_t>(x)], rows[static_cast<std::size_t>(y)], out);
    }
}

}  // namespace

std::optional<ScreenPicture> ComposeOutputs(std::span<const OutputShot> shots) {
    const auto box = BoundsOf(shots);
    if (!box) return std::nullopt;
    ScreenPicture picture;
    picture.width = static_cast<int>(box->right - box->left);
    picture.height = static_cast<int>(box->bottom - box->top);
    picture.stride = CaptureRowSize(picture.width);
    // Black gaps and zero padding, as the capture file wants them.
    picture.bgr.assign(picture.stride * static_cast<std::size_t>(picture.height), 0);
    for (const auto& shot : shots) Draw(shot, *box, picture);
    return picture;
}

}  // namespace velmoran
