#include "saver/dialog/icon_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "common/assets.h"

namespace velmoran {
namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = std::uint8_t(v);
    b[at + 1] = std::uint8_t(v >> 8);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

// A 2 x 2 cursor, 1 bit a pixel: palette black and white; colour rows
// (bottom first) 10 / 01, mask rows 00 / 01, hot spot (1, 0).
Bytes TinyCursor() {
    Bytes file(6 + 16 + 40 + 8 + 8 + 8, 0);
    Put16(file, 2, 2);
    Put16(file, 4, 1);
    file[6] = 2, file[7] = 2;
    Put16(file, 10, 1);  // hot spot x
    Put16(file, 12, 0);  // hot spot y
    Put32(file, 14, 40 + 8 + 16);
    Put32(file, 18, 22);
    const std::size_t dib = 22;
    Put32(file, dib, 40);
    Put32(file, dib + 4, 2);
    Put32(file, dib + 8, 4);  // picture and mask
    Put16(file, dib + 12, 1);
    Put16(file, dib + 14, 1);
    const std::size_t palette = dib + 40;
    file[palette + 4] = file[palette + 5] = file[palette + 6] = 255;  // entry 1 white
    const std::size_t colours = palette + 8;
    file[colours] = 0x80;      // bottom row: white, black
    file[colours + 4] = 0x40;  // top row: black, white
    const std::size_t mask = colours + 8;
    file[mask] = 0x00;      // bottom row: both shown
    file[mask + 4] = 0x40;  // top row: right pixel transparent
    return file;
}

std::uint32_t Pixel(const IconPicture& p, int x, int y) {
    const std::uint8_t* at = &p.rgba[std::size_t((y * p.width + x) * 4)];
    return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 | at[3];
}

TEST(IconFile, ReadsPaletteColoursMaskAndHotSpotTopRowFirst) {
    const auto picture = DecodeIconFile(TinyCursor());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 2);
    EXPECT_EQ(picture->height, 2);
    EXPECT_EQ(picture->hotX, 1);
    EXPECT_EQ(picture->hotY, 0);
    EXPECT_EQ(Pixel(*picture, 0, 0), 0x000000FFu);
    EXPECT_EQ(Pixel(*picture, 1, 0) & 0xFF, 0u);  // masked out
    EXPECT_EQ(Pixel(*picture, 0, 1), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(*picture, 1, 1), 0x000000FFu);
}

TEST(IconFile, RefusesOtherFilesAndCutOrOversizedPictures) {
    const Bytes good = TinyCursor();
    EXPECT_FALSE(DecodeIconFile({}));
    Bytes bmp = good;
    bmp[0] = 'B', bmp[1] = 'M';
    EXPECT_FALSE(DecodeIconFile(bmp));
    for (std::size_t cut : {std::size_t(10), std::size_t(40), good.size() - 1})
        EXPECT_FALSE(DecodeIconFile(Bytes(good.begin(), good.begin() + long(cut)))) << cut;
    Bytes pastEnd = good;
    Put32(pastEnd, 18, 0xFFFFFFF0u);  // offset beyond the file
    EXPECT_FALSE(DecodeIconFile(pastEnd));
    Bytes huge = good;
    Put32(huge, 22 + 4, 100000);
    EXPECT_FALSE(DecodeIconFile(huge));
    Bytes compressed = good;
    Put32(compressed, 22 + 16, 1);
    EXPECT_FALSE(DecodeIconFile(compressed));
    Bytes manyColours = good;
    Put32(manyColours, 22 + 32, 0x10000);
    EXPECT_FALSE(DecodeIconFile(manyColours));
}

TEST(IconFile, TheDialogsIconAndLinkPointerAsDesigned) {
    const auto icon = DecodeIconFile(FindAsset("velmoran.ico"));
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->width, 32);
    EXPECT_EQ(icon->height, 32);
    const auto pointer = DecodeIconFile(FindAsset("link.cur"));
    ASSERT_TRUE(pointer);
    EXPECT_EQ(pointer->width, 32);
    EXPECT_EQ(pointer->height, 32);
    EXPECT_EQ(pointer->hotX, 12);
    EXPECT_EQ(pointer->hotY, 10);
    // The hot spot is the tip of the pointer: shown there, clear in the corner.
    EXPECT_EQ(Pixel(*pointer, 12, 10) & 0xFF, 0xFFu);
    EXPECT_EQ(Pixel(*pointer, 0, 0) & 0xFF, 0u);
}

}  // namespace
}  // namespace velmoran
