#include "saver/display/output_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

namespace {

using velmoran::ComposeOutputs;
using velmoran::kLargestLayoutSide;
using velmoran::OutputShot;
using velmoran::ScreenPicture;
using velmoran::ShotFormat;
using Bgr = std::array<std::uint8_t, 3>;

// A shot of `width` x `height` stored pixels, given as 32-bit values written
// little-endian, `stride` bytes a row (4 a pixel when 0), placed at (x, y)
// at its buffer's size.
struct Shot {
    std::vector<std::uint8_t> bytes;
    OutputShot shot;

    Shot(int x, int y, int width, int height, const std::vector<std::uint32_t>& pixels, std::size_t stride = 0) {
        shot.x = x, shot.y = y, shot.width = width, shot.height = height;
        shot.bufferWidth = width, shot.bufferHeight = height;
        shot.stride = stride ? stride : static_cast<std::size_t>(width) * 4;
        bytes.assign(shot.stride * static_cast<std::size_t>(height), 0xEE);
        for (int row = 0; row < height; ++row)
            for (int col = 0; col < width; ++col) {
                const std::uint32_t v = pixels[static_cast<std::size_t>(row * width + col)];
                for (int b = 0; b < 4; ++b)
                    bytes[shot.stride * row + static_cast<std::size_t>(col) * 4 + b] = std::uint8_t(v >> (8 * b));
            }
        shot.bytes = bytes;
    }
    // The logical size differs from the buffer's (a scaled output).
    Shot& Logical(int width, int height) {
        shot.width = width, shot.height = height;
        return *this;
    }
};

std::optional<ScreenPicture> Compose(const std::vector<OutputShot>& shots) { return ComposeOutputs(shots); }

Bgr At(const ScreenPicture& p, int x, int y) {
    const auto* px = &p.bgr[p.stride * static_cast<std::size_t>(y) + static_cast<std::size_t>(x) * 3];
    return {px[0], px[1], px[2]};
}

constexpr Bgr kBlack = {0, 0, 0};

TEST(ComposeOutputs, ReadsEachFormatsByteOrderAndIgnoresAlpha) {
    // Stored bytes 0x10 0x20 0x30 0x40.
    Shot s(0, 0, 1, 1, {0x40302010});
    const std::pair<ShotFormat, Bgr> cases[] = {{ShotFormat::Xrgb8888, {0x10, 0x20, 0x30}},
                                                {ShotFormat::Argb8888, {0x10, 0x20, 0x30}},
                                                {ShotFormat::Xbgr8888, {0x30, 0x20, 0x10}},
                                                {ShotFormat::Abgr8888, {0x30, 0x20, 0x10}}};
    for (const auto& [format, expected] : cases) {
        s.shot.format = format;
        const auto picture = Compose({s.shot});
        ASSERT_TRUE(picture);
        EXPECT_EQ(At(*picture, 0, 0), expected) << static_cast<int>(format);
    }
}

TEST(ComposeOutputs, TurnsAnInvertedBufferTheRightWayUp) {
    Shot s(0, 0, 2, 3, {0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006});
    s.shot.yInverted = true;
    const auto picture = Compose({s.shot});
    ASSERT_TRUE(picture);
    EXPECT_EQ(At(*picture, 0, 0), (Bgr{5, 0, 0}));
    EXPECT_EQ(At(*picture, 1, 0), (Bgr{6, 0, 0}));
    EXPECT_EQ(At(*picture, 0, 1), (Bgr{3, 0, 0}));
    EXPECT_EQ(At(*picture, 1, 2), (Bgr{2, 0, 0}));
}

TEST(ComposeOutputs, ReadsRowsByTheirStrideNotTheirWidth) {
    // Two pixels a row in twelve bytes; the padding (0xEE) is never a pixel.
    Shot s(0, 0, 2, 2, {0x010203, 0x040506, 0x070809, 0x0A0B0C}, 12);
    const auto picture = Compose({s.shot});
    ASSERT_TRUE(picture);
    EXPECT_EQ(At(*picture, 0, 1), (Bgr{9, 8, 7}));
    EXPECT_EQ(At(*picture, 1, 1), (Bgr{12, 11, 10}));
}

TEST(ComposeOutputs, PlacesTwoOutputsSideBySideWithTheGapBlackAndRowsPadded) {
    Shot left(0, 0, 2, 2, {0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF});
    Shot right(2, 0, 3, 1, {0x00FF00, 0x00FF00, 0xFF0000});
    const auto picture = Compose({left.shot, right.shot});
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 5);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(picture->stride, 16u);
    EXPECT_EQ(At(*picture, 1, 1), (Bgr{0xFF, 0, 0}));
    EXPECT_EQ(At(*picture, 2, 0), (Bgr{0, 0xFF, 0}));
    EXPECT_EQ(At(*picture, 4, 0), (Bgr{0, 0, 0xFF}));
    for (int x = 2; x < 5; ++x) EXPECT_EQ(At(*picture, x, 1), kBlack) << x;
    EXPECT_EQ(picture->bgr[15], 0);
    EXPECT_EQ(picture->bgr[31], 0);
}

TEST(ComposeOutputs, TakesTheBoxOfOutputsAtOffsetsAndNegativePositions) {
    Shot above(-2, -1, 2, 1, {0x000011, 0x000022});
    Shot below(1, 0, 1, 1, {0x000033});
    const auto picture = Compose({above.shot, below.shot});
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 4);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(At(*picture, 0, 0), (Bgr{0x11, 0, 0}));
    EXPECT_EQ(At(*picture, 1, 0), (Bgr{0x22, 0, 0}));
    EXPECT_EQ(At(*picture, 3, 1), (Bgr{0x33, 0, 0}));
    for (const auto& [x, y] : {std::pair{2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}})
        EXPECT_EQ(At(*picture, x, y), kBlack) << x << "," << y;
}

TEST(ComposeOutputs, DrawsTheLaterOfOverlappingOutputsOnTop) {
    Shot first(0, 0, 2, 1, {0x000001, 0x000001});
    Shot second(1, 0, 1, 1, {0x000002});
    const auto picture = Compose({first.shot, second.shot});
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(At(*picture, 0, 0), (Bgr{1, 0, 0}));
    EXPECT_EQ(At(*picture, 1, 0), (Bgr{2, 0, 0}));
}

TEST(ComposeOutputs, ScalesADoubleSizedBufferDownToItsLogicalSizeByAveraging) {
    // 4 x 2 buffer pixels, two 2 x 2 blocks; logically 2 x 1.
    Shot s(0, 0, 4, 2, {10, 20, 0x000100, 0x000300, 30, 41, 0x000500, 0x000700});
    s.Logical(2, 1);
    Shot beside(2, 0, 1, 1, {0xFF0000});
    const auto picture = Compose({s.shot, beside.shot});
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 3);
    EXPECT_EQ(picture->height, 1);
    EXPECT_EQ(At(*picture, 0, 0), (Bgr{25, 0, 0}));  // (10 + 20 + 30 + 41) / 4, rounded
    EXPECT_EQ(At(*picture, 1, 0), (Bgr{0, 4, 0}));
    EXPECT_EQ(At(*picture, 2, 0), (Bgr{0, 0, 0xFF}));
}

TEST(ComposeOutputs, StretchesABufferSmallerThanItsLogicalSize) {
    Shot s(0, 0, 1, 1, {0x0A0B0C});
    s.Logical(3, 2);
    const auto picture = Compose({s.shot});
    ASSERT_TRUE(picture);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(At(*picture, x, y), (Bgr{12, 11, 10}));
}

TEST(ComposeOutputs, RefusesNoOutputsAndShotsThatAreNotWhole) {
    EXPECT_FALSE(Compose({}));
    const Shot good(0, 0, 2, 2, {1, 2, 3, 4});
    auto changed = [&](auto change) {
        OutputShot shot = good.shot;
        change(shot);
        return Compose({good.shot, shot});
    };
    EXPECT_FALSE(changed([](OutputShot& s) { s.stride = 7; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.bytes = s.bytes.first(s.bytes.size() - 1); }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.bytes = {}; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.width = 0; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.height = -1; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.bufferWidth = 0; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.bufferHeight = 0; }));
    // Wider than its bytes hold, though its stride is said to fit.
    EXPECT_FALSE(changed([](OutputShot& s) { s.bufferWidth = 3, s.stride = 12; }));
    // The last row needs no padding after it.
    EXPECT_TRUE(changed([](OutputShot& s) { s.stride = 8, s.bytes = s.bytes.first(8 + 8); }));
}

TEST(ComposeOutputs, RefusesHugeSizesAndLayoutsWithoutOverflowing) {
    const Shot good(0, 0, 2, 2, {1, 2, 3, 4});
    auto changed = [&](auto change) {
        OutputShot shot = good.shot;
        change(shot);
        return Compose({good.shot, shot});
    };
    EXPECT_FALSE(changed([](OutputShot& s) { s.width = kLargestLayoutSide + 1; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.width = INT_MAX; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.bufferHeight = INT_MAX, s.stride = SIZE_MAX / 2; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.bufferWidth = INT_MAX, s.stride = SIZE_MAX; }));
    // Rows so far apart that their offsets wrap around.
    EXPECT_FALSE(changed([](OutputShot& s) { s.stride = SIZE_MAX / 2 + 1; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.stride = SIZE_MAX; }));
    // Far apart: the box would be wider than any screen.
    EXPECT_FALSE(changed([](OutputShot& s) { s.x = INT_MAX - 1; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.x = INT_MIN; }));
    EXPECT_FALSE(changed([](OutputShot& s) { s.y = kLargestLayoutSide; }));
    // Each side allowed, but more pixels than the viewer takes.
    EXPECT_FALSE(changed([](OutputShot& s) { s.x = kLargestLayoutSide - 2, s.y = kLargestLayoutSide - 2; }));
    EXPECT_TRUE(changed([](OutputShot& s) { s.x = kLargestLayoutSide - 2; }));
}

}  // namespace
