#include "saver/show/screen_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using velmoran::ConvertToBgr;
using velmoran::PixelLayout;
using velmoran::ScreenPicture;

std::vector<std::uint8_t> Pixel(const ScreenPicture& p, int x, int y) {
    const auto* px = &p.bgr[p.stride * y + x * 3];
    return {px[0], px[1], px[2]};
}

TEST(ConvertToBgr, ReadsThe32BitDirectColourOfAUsualScreenInEitherByteOrder) {
    // Two rows of two pixels, padded to 12 bytes a row.
    const std::vector<std::uint8_t> lsb = {0x10, 0x20, 0x30, 0, 0xFF, 0, 0, 0, 9, 9, 9, 9,
                                           0, 0, 0xFF, 0,       1, 2, 3, 0,   9, 9, 9, 9};
    ScreenPicture p;
    ASSERT_TRUE(ConvertToBgr(lsb.data(), 2, 2, 12, PixelLayout{}, p));
    EXPECT_EQ(p.width, 2);
    EXPECT_EQ(p.height, 2);
    EXPECT_EQ(p.stride, 8u);  // padded as the capture file's rows are
    EXPECT_EQ(Pixel(p, 0, 0), (std::vector<std::uint8_t>{0x10, 0x20, 0x30}));
    EXPECT_EQ(Pixel(p, 1, 0), (std::vector<std::uint8_t>{0xFF, 0, 0}));
    EXPECT_EQ(Pixel(p, 0, 1), (std::vector<std::uint8_t>{0, 0, 0xFF}));
    EXPECT_EQ(Pixel(p, 1, 1), (std::vector<std::uint8_t>{1, 2, 3}));

    const std::vector<std::uint8_t> msb = {0, 0x30, 0x20, 0x10};
    PixelLayout bigEndian;
    bigEndian.mostSignificantFirst = true;
    ASSERT_TRUE(ConvertToBgr(msb.data(), 1, 1, 4, bigEndian, p));
    EXPECT_EQ(Pixel(p, 0, 0), (std::vector<std::uint8_t>{0x10, 0x20, 0x30}));
}

TEST(ConvertToBgr, ScalesNarrowAndWideMasksToFullEightBitRange) {
    PixelLayout rgb565{16, false, 0xF800, 0x07E0, 0x001F, {}};
    const std::vector<std::uint8_t> pixels = {0xFF, 0xFF, 0x00, 0x00, 0x1F, 0x00, 0xE0, 0x07, 0x10, 0x84};
    ScreenPicture p;
    ASSERT_TRUE(ConvertToBgr(pixels.data(), 5, 1, 10, rgb565, p));
    EXPECT_EQ(Pixel(p, 0, 0), (std::vector<std::uint8_t>{255, 255, 255}));
    EXPECT_EQ(Pixel(p, 1, 0), (std::vector<std::uint8_t>{0, 0, 0}));
    EXPECT_EQ(Pixel(p, 2, 0), (std::vector<std::uint8_t>{255, 0, 0}));
    EXPECT_EQ(Pixel(p, 3, 0), (std::vector<std::uint8_t>{0, 255, 0}));
    EXPECT_EQ(Pixel(p, 4, 0), (std::vector<std::uint8_t>{132, 130, 132}));  // 16/31, 32/63, 16/31

    // 30-bit colour: ten bits a primary, blue in the top bits.
    PixelLayout deep{32, false, 0x3FF, 0xFFC00, 0x3FF00000, {}};
    const std::uint32_t v = (1023u << 20) | (512u << 10) | 4u;
    const std::vector<std::uint8_t> raw = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16),
                                           std::uint8_t(v >> 24)};
    ASSERT_TRUE(ConvertToBgr(raw.data(), 1, 1, 4, deep, p));
    EXPECT_EQ(Pixel(p, 0, 0), (std::vector<std::uint8_t>{255, 128, 1}));
}

TEST(ConvertToBgr, CopiesEveryPixelOfLongRowsAndZeroesTheirPadding) {
    // Seven pixels a row: four copied a word at a time, three one by one.
    // The fourth byte of each pixel is noise that must not show.
    const int width = 7, height = 2;
    std::vector<std::uint8_t> screen;
    for (int i = 0; i < width * height; ++i)
        screen.insert(screen.end(), {std::uint8_t(3 * i), std::uint8_t(3 * i + 1), std::uint8_t(3 * i + 2), 0xAB});
    ScreenPicture p;
    p.bgr.assign(64, 0xEE);  // whatever the picture held before
    ASSERT_TRUE(ConvertToBgr(screen.data(), width, height, width * 4, PixelLayout{}, p));
    ASSERT_EQ(p.stride, 24u);
    ASSERT_EQ(p.bgr.size(), 48u);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto i = static_cast<std::uint8_t>(3 * (y * width + x));
            EXPECT_EQ(Pixel(p, x, y), (std::vector<std::uint8_t>{i, std::uint8_t(i + 1), std::uint8_t(i + 2)}))
                << x << "," << y;
        }
        for (std::size_t pad = 21; pad < 24; ++pad) EXPECT_EQ(p.bgr[24 * y + pad], 0) << "row " << y;
    }
}

TEST(ConvertToBgr, LooksUpColourMappedPixelsAndTreatsUnknownOnesAsBlack) {
    PixelLayout mapped{8, false, 0, 0, 0, {{1, 2, 3}, {4, 5, 6}}};
    const std::vector<std::uint8_t> pixels = {1, 0, 7};
    ScreenPicture p;
    ASSERT_TRUE(ConvertToBgr(pixels.data(), 3, 1, 3, mapped, p));
    EXPECT_EQ(Pixel(p, 0, 0), (std::vector<std::uint8_t>{4, 5, 6}));
    EXPECT_EQ(Pixel(p, 1, 0), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(Pixel(p, 2, 0), (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(ConvertToBgr, RefusesLayoutsItCannotReadAndLeavesThePictureAlone) {
    const std::vector<std::uint8_t> pixels(64, 0);
    ScreenPicture p{7, 7, 21, {}};
    EXPECT_FALSE(ConvertToBgr(pixels.data(), 2, 2, 8, PixelLayout{1, false, 1, 1, 1, {}}, p));
    EXPECT_FALSE(ConvertToBgr(pixels.data(), 2, 2, 8, PixelLayout{32, false, 0xF0F0, 0xFF00, 0xFF, {}}, p));
    EXPECT_FALSE(ConvertToBgr(pixels.data(), 2, 2, 8, PixelLayout{8, false, 0, 0, 0, {}}, p));  // no map
    EXPECT_FALSE(ConvertToBgr(pixels.data(), 4, 2, 8, PixelLayout{}, p));  // rows shorter than the width
    EXPECT_FALSE(ConvertToBgr(nullptr, 2, 2, 8, PixelLayout{}, p));
    EXPECT_EQ(p.width, 7);

    EXPECT_TRUE(velmoran::CanConvert(2, 8, PixelLayout{}));
    EXPECT_FALSE(velmoran::CanConvert(4, 8, PixelLayout{}));
    EXPECT_FALSE(velmoran::CanConvert(0, 8, PixelLayout{}));
    EXPECT_FALSE(velmoran::CanConvert(2, 8, PixelLayout{8, false, 0, 0, 0, {}}));
}

// A band of a screen's rows converts into exactly those rows of the whole
// picture, in a band of memory that held anything before; the band must
// hold all of them.
TEST(ConvertToBgr, ConvertsABandOfRowsAsTheyAreInTheWholePicture) {
    const int width = 5, height = 6;  // odd: a byte of padding a row
    const std::size_t line = width * 4 + 8;
    for (const PixelLayout& layout : {PixelLayout{}, PixelLayout{32, false, 0xFF, 0xFF00, 0xFF0000, {}}}) {
        std::vector<std::uint8_t> screen(line * height);
        for (std::size_t i = 0; i < screen.size(); ++i) screen[i] = static_cast<std::uint8_t>(i * 13 + 5);
        ScreenPicture whole;
        ASSERT_TRUE(ConvertToBgr(screen.data(), width, height, line, layout, whole));

        std::vector<std::uint8_t> band(4 * 16, 0xEE);
        ASSERT_TRUE(ConvertToBgr(screen.data() + 2 * line, width, 4, line, layout, std::span(band)));
        EXPECT_EQ(band, std::vector<std::uint8_t>(whole.bgr.begin() + 2 * 16, whole.bgr.end()));

        std::vector<std::uint8_t> small(4 * 16 - 1, 0xEE);
        EXPECT_FALSE(ConvertToBgr(screen.data(), width, 4, line, layout, std::span(small)));
        EXPECT_EQ(small, std::vector<std::uint8_t>(4 * 16 - 1, 0xEE));
    }
}

}  // namespace
