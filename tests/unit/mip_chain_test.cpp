#include "viewer/mip_chain.h"
#include "viewer/picture_loader.h"
#include "viewer/picture_scaling.h"

#include "support/bitmap_samples.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using velmoran::BitmapImage;
using velmoran::BuildMipChain;
using velmoran::PowerOfTwoSide;
using namespace velmoran::testing;

TEST(PowerOfTwoSide, RoundsToTheNearerPowerTheWayGluDoes) {
    const std::vector<std::array<int, 2>> sides = {
        {1, 1},       {2, 2},       {3, 4},       {5, 4},       {6, 8},       {767, 512},   {768, 1024},
        {1023, 1024}, {1024, 1024}, {1280, 1024}, {1366, 1024}, {1536, 2048}, {2160, 2048}, {3840, 4096},
        {0, 1},       {-5, 1},      {0x7FFFFFFF, 1 << 30}};
    for (const auto& [size, side] : sides) EXPECT_EQ(PowerOfTwoSide(size), side) << size;
}

// One row of grey levels, as a picture of blue-green-red triples.
std::vector<std::uint8_t> GreyRow(const std::vector<std::uint8_t>& levels) {
    std::vector<std::uint8_t> row;
    for (std::uint8_t v : levels) row.insert(row.end(), {v, v, v});
    return row;
}

std::vector<int> Blues(const velmoran::PictureBytes& bgr, int width) {
    std::vector<int> blue;
    for (int x = 0; x < width; ++x) blue.push_back(bgr[3 * x]);
    return blue;
}

TEST(ScalePicture, EachTexelIsTheMeanOfTheAreaItCoversRoundedDown) {
    // Three pixels onto two texels: each texel covers one and a half pixels.
    const auto narrowed = GreyRow({10, 20, 41});
    const auto two = velmoran::ScalePicture({narrowed.data(), 3, 1, narrowed.size()}, 2, 1);
    EXPECT_EQ(Blues(two, 2), (std::vector<int>{13, 34}));  // (10 + 20/2) / 1.5, (20/2 + 41) / 1.5 rounded down

    // Two pixels onto three texels: the middle one straddles both.
    const auto widened = GreyRow({30, 91});
    const auto three = velmoran::ScalePicture({widened.data(), 2, 1, widened.size()}, 3, 1);
    EXPECT_EQ(Blues(three, 3), (std::vector<int>{30, 60, 91}));  // a third of each: 60.5
}

TEST(ScalePicture, ScalesRowsAsColumnsAndPadsTheOutputRows) {
    // A column of three pixels onto two rows; rows are 4 bytes apart.
    const std::vector<std::uint8_t> column = {10, 10, 10, 0, 20, 20, 20, 0, 41, 41, 41, 0};
    const auto scaled = velmoran::ScalePicture({column.data(), 1, 3, 4}, 1, 2);
    EXPECT_EQ(scaled, (velmoran::PictureBytes{13, 13, 13, 0, 34, 34, 34, 0}));
}

BitmapImage Picture(int width, int height, std::uint8_t (*value)(int x, int y, int c)) {
    BitmapImage image{{width, height, PaddedRow(width) * static_cast<std::uint64_t>(height)}, {}};
    image.pixels.assign(image.layout.dataSize, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) image.pixels[PaddedRow(width) * y + 3 * x + c] = value(x, y, c);
    return image;
}

TEST(BuildMipChain, HalvesDownToOneTexelRoundingLikeGlu) {
    // 4 x 2: the two by two means round to nearest; once one side is a single
    // texel, pairs are averaged and rounded down.
    const auto chain = BuildMipChain(
        Picture(4, 2, [](int x, int y, int) { return static_cast<std::uint8_t>(x == 0 && y == 0 ? 3 : 0); }));
    ASSERT_EQ(chain.size(), 3u);
    EXPECT_EQ(chain[1].width, 2);
    EXPECT_EQ(chain[1].height, 1);
    EXPECT_EQ(chain[1].bgr[0], 1);  // (3 + 0 + 0 + 0 + 2) / 4
    EXPECT_EQ(chain[1].bgr[3], 0);
    EXPECT_EQ(chain[2].width, 1);
    EXPECT_EQ(chain[2].height, 1);
    EXPECT_EQ(chain[2].bgr[0], 0);  // (1 + 0) / 2
}

TEST(BuildMipChain, APowerOfTwoPictureIsItsOwnFirstLevel) {
    const BitmapImage image = Picture(8, 2, [](int x, int y, int c) { return static_cast<std::uint8_t>(x + 8 * y + c); });
    const std::vector<std::uint8_t> pixels(image.pixels.begin(), image.pixels.end());
    const auto chain = BuildMipChain(BitmapImage{image.layout, image.pixels});
    ASSERT_EQ(chain.size(), 4u);  // 8x2, 4x1, 2x1, 1x1
    EXPECT_EQ(std::vector<std::uint8_t>(chain[0].bgr.begin(), chain[0].bgr.end()), pixels);
    EXPECT_EQ(chain[3].width * chain[3].height, 1);
}

TEST(BuildMipChain, APictureGluRefusesGivesNoLevels) {
    BitmapImage topDown = Picture(4, 4, [](int, int, int) { return std::uint8_t{9}; });
    topDown.layout.height = -4;
    EXPECT_TRUE(BuildMipChain(std::move(topDown)).empty());
}

TEST(PictureLoader, PreparesTheChainOnItsThreadAndHandsItOverOnce) {
    BitmapSample sample;
    sample.width = 5;
    sample.height = 3;
    velmoran::PictureLoader loader(WriteTempFile("loader_5x3.bmp", MakeBitmap(sample)));
    auto picture = loader.Take();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 5);
    EXPECT_EQ(picture->height, 3);
    ASSERT_EQ(picture->chain.size(), 3u);  // 4x4, 2x2, 1x1
    EXPECT_EQ(picture->chain[0].width, 4);
    EXPECT_FALSE(loader.Take()) << "a picture is handed over once";
}

TEST(PictureLoader, UnreadableAndRefusedFilesGiveNothingATopDownOneNoLevels) {
    EXPECT_FALSE(velmoran::PictureLoader(::testing::TempDir() + "no_such_capture.bmp").Take());
    BitmapSample notBM;
    notBM.type = "MB";
    EXPECT_FALSE(velmoran::PictureLoader(WriteTempFile("loader_not_bm.bmp", MakeBitmap(notBM))).Take());
    BitmapSample topDown;
    topDown.height = -4;
    auto picture = velmoran::PictureLoader(WriteTempFile("loader_top_down.bmp", MakeBitmap(topDown))).Take();
    ASSERT_TRUE(picture) << "read, though it cannot become a texture";
    EXPECT_EQ(picture->height, -4);
    EXPECT_TRUE(picture->chain.empty());
}

}  // namespace
