// The embedded face artwork against its colour table, the bitmap reader, and
// the software drawing used where the platform has no gradient fill.
#include <gtest/gtest.h>

#include <vector>

#include "common/assets.h"
#include "saver/controls/face_images.h"

namespace velmoran {
namespace {

using F = FaceImage;
constexpr F kAllFaces[] = {F::Normal, F::HighLight, F::HighLightSelect, F::Selected, F::Pressed, F::Disable};

RgbImage Load(F face) {
    auto image = LoadFaceImage(face);
    EXPECT_TRUE(image.has_value()) << FaceAssetName(face);
    return image.value_or(RgbImage(64, 25));
}

std::vector<unsigned char> Bytes(F face) {
    auto bytes = FindAsset(FaceAssetName(face));
    return {bytes.begin(), bytes.end()};
}

TEST(FaceImages, SixEmbedded64By25Bitmaps) {
    for (F face : kAllFaces) {
        EXPECT_EQ(Bytes(face).size(), 4854u) << FaceAssetName(face);
        RgbImage image = Load(face);
        EXPECT_EQ(image.width, 64);
        EXPECT_EQ(image.height, 25);
    }
}

TEST(FaceImages, OnlyTheTwoHoverLooksShareAPicture) {
    EXPECT_EQ(Bytes(F::HighLight), Bytes(F::HighLightSelect));
    const F distinct[] = {F::Normal, F::HighLight, F::Selected, F::Pressed, F::Disable};
    for (F a : distinct)
        for (F b : distinct) {
            if (a == b) continue;
            EXPECT_NE(Bytes(a), Bytes(b)) << FaceAssetName(a) << " " << FaceAssetName(b);
        }
}

// Colours in the drawn ring: the frame halfway down the left side, the rows
// two and three pixels in at the top, the rows two and three pixels in at the
// bottom, and the outermost row at the top.
struct Ring {
    F face;
    std::uint32_t frame, top2, top3, bottom3, bottom2, edge;
};

TEST(FaceImages, RingsFollowTheColourTable) {
    const Ring rings[] = {
        {F::Normal, 0x003C74, 0xF3F3EE, 0xF3F3EE, 0xE2DFD6, 0xD6D0C5, 0xDCD6C2},
        {F::HighLight, 0x003C74, 0xFFF0CF, 0xFDD889, 0xF8B330, 0xE59700, 0xDCD6C2},
        {F::Selected, 0x003C74, 0xCEE7FF, 0xCEE7FF, 0x6982EE, 0x6982EE, 0xDCD6C2},
        {F::Disable, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA, 0xF5F4EA, 0xF5F4EA, 0xECE9D8},
    };
    for (const Ring& r : rings) {
        RgbImage image = Load(r.face);
        SCOPED_TRACE(std::string(FaceAssetName(r.face)));
        EXPECT_EQ(image.At(1, 12), r.frame);
        EXPECT_EQ(image.At(32, 1), r.frame);
        EXPECT_EQ(image.At(32, 2), r.top2);
        EXPECT_EQ(image.At(32, 3), r.top3);
        EXPECT_EQ(image.At(32, 21), r.bottom3);
        EXPECT_EQ(image.At(32, 22), r.bottom2);
        EXPECT_EQ(image.At(32, 0), r.edge);
    }
}

TEST(FaceImages, PressedFrameLiesOnePixelFurtherIn) {
    RgbImage pressed = Load(F::Pressed);
    EXPECT_EQ(pressed.At(32, 0), 0xECE9D8u);
    EXPECT_EQ(pressed.At(32, 1), 0xDCD6C2u);
    EXPECT_EQ(pressed.At(1, 12), 0xE2DECBu);
    for (auto [x, y] : {std::pair{32, 2}, {32, 22}, {2, 12}, {61, 12}}) EXPECT_EQ(pressed.At(x, y), 0x003C74u);
    EXPECT_EQ(pressed.At(32, 3), 0xD1CCC1u);
    EXPECT_EQ(pressed.At(32, 21), 0xF2F1EEu);
}

TEST(FaceImages, SidesShadeFromTopToBottomAndCornersAreSoftened) {
    RgbImage selected = Load(F::Selected);
    EXPECT_EQ(selected.At(2, 4), 0xB7D0F4u);
    EXPECT_EQ(selected.At(2, 20), 0x8BADE4u);
    EXPECT_NE(selected.At(1, 1), 0x003C74u);
    EXPECT_NE(selected.At(62, 23), 0x003C74u);
}

std::vector<unsigned char> SmallBmp(int width, int height) {
    const int rowSize = (width * 3 + 3) & ~3, rows = height < 0 ? -height : height;
    std::vector<unsigned char> file(54 + rowSize * rows);
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = (v >> (8 * i)) & 0xFF;
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, std::uint32_t(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    file[26] = 1;
    file[28] = 24;
    // The first stored row: blue, green, red of its first pixel.
    file[54] = 0x33;
    file[55] = 0x22;
    file[56] = 0x11;
    return file;
}

TEST(BitmapReader, ReadsBottomUpAndTopDownRows) {
    auto bottomUp = DecodeBmp24(SmallBmp(3, 2));
    ASSERT_TRUE(bottomUp);
    EXPECT_EQ(bottomUp->At(0, 1), 0x112233u);
    auto topDown = DecodeBmp24(SmallBmp(3, -2));
    ASSERT_TRUE(topDown);
    EXPECT_EQ(topDown->At(0, 0), 0x112233u);
}

TEST(BitmapReader, RefusesWhatItCannotRead) {
    auto file = SmallBmp(3, 2);
    EXPECT_FALSE(DecodeBmp24({file.data(), file.size() - 1}));  // a row cut short
    EXPECT_FALSE(DecodeBmp24({file.data(), 40}));
    auto other = file;
    other[28] = 32;  // 32 bits per pixel
    EXPECT_FALSE(DecodeBmp24(other));
    other = file;
    other[30] = 1;  // compressed
    EXPECT_FALSE(DecodeBmp24(other));
    other = file;
    other[0] = 'X';
    EXPECT_FALSE(DecodeBmp24(other));
    other = file;
    other[21] = 0x7F;  // a width of two thousand million
    EXPECT_FALSE(DecodeBmp24(other));
    EXPECT_FALSE(DecodeBmp24({}));
}

TEST(SoftwareDrawing, GradientRunsFromTheUpperVertexAndLeavesTheFarEdges) {
    RgbImage image(4, 5);
    Fill(image, 0x000000);
    GradientVertex top{0, 0, 0xFF00, 0xFF00, 0xFF00}, bottom{3, 4, 0xC600, 0xC500, 0xD700};
    FillVerticalGradient(image, {top, bottom}, GradientRect{1, 0});
    EXPECT_EQ(image.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(image.At(2, 0), 0xFFFFFFu);
    EXPECT_EQ(image.At(0, 2), 0xE2E2EBu);  // halfway
    EXPECT_GT(image.At(0, 3), 0xC6C5D7u);  // the last filled row falls short of the lower colour
    EXPECT_EQ(image.At(3, 0), 0u);         // far column
    EXPECT_EQ(image.At(0, 4), 0u);         // far row
}

TEST(SoftwareDrawing, StretchCopyPicksTheNearestPixelAndClips) {
    RgbImage source(2, 1);
    source.Put(0, 0, 0xAA0000);
    source.Put(1, 0, 0x00BB00);
    RgbImage target(5, 2);
    StretchCopy(target, {1, 1, 6, 3}, source, {0, 0, 2, 1});
    EXPECT_EQ(target.At(0, 1), 0u);
    EXPECT_EQ(target.At(1, 1), 0xAA0000u);
    EXPECT_EQ(target.At(3, 1), 0xAA0000u);
    EXPECT_EQ(target.At(4, 1), 0x00BB00u);
    EXPECT_EQ(target.At(1, 0), 0u);
    StretchCopy(target, {0, 0, -3, 1}, source, {0, 0, 2, 1});  // nothing for an empty rectangle
    EXPECT_EQ(target.At(0, 0), 0u);
}

}  // namespace
}  // namespace velmoran
