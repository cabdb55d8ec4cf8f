#include "viewer/mip_bands.h"
#include "viewer/mip_chain.h"
#include "viewer/picture_loader.h"
#include "viewer/picture_scaling.h"

#include "support/bitmap_samples.h"
#include "support/mip_chain_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace {

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

std::vector<int> Blues(const std::vector<std::uint8_t>& bgr, int width) {
    std::vector<int> blue;
    for (int x = 0; x < width; ++x) blue.push_back(bgr[3 * x]);
    return blue;
}

// The rows of a `width` x `height` picture (`rows`, `stride` bytes apart)
// scaled to `toWidth` x `toHeight`, each from the rows the scaler names.
std::vector<std::uint8_t> Scaled(const std::vector<std::uint8_t>& rows, int width, int height, std::size_t stride,
                                 int toWidth, int toHeight) {
    velmoran::RowScaler scaler(width, height, toWidth, toHeight);
    const std::size_t to = velmoran::LevelStride(toWidth);
    std::vector<std::uint8_t> scaled(to * toHeight, 0xEE);
    for (int j = 0; j < toHeight; ++j) {
        EXPECT_LE(scaler.EndRow(j), height);
        scaler.ScaleRow(j, rows.data() + stride * scaler.FirstRow(j), stride, scaled.data() + to * j);
    }
    return scaled;
}

TEST(RowScaler, EachTexelIsTheMeanOfTheAreaItCoversRoundedDown) {
    // Three pixels onto two texels: each texel covers one and a half pixels.
    const auto narrowed = GreyRow({10, 20, 41});
    EXPECT_EQ(Blues(Scaled(narrowed, 3, 1, narrowed.size(), 2, 1), 2),
              (std::vector<int>{13, 34}));  // (10 + 20/2) / 1.5, (20/2 + 41) / 1.5 rounded down

    // Two pixels onto three texels: the middle one straddles both.
    const auto widened = GreyRow({30, 91});
    EXPECT_EQ(Blues(Scaled(widened, 2, 1, widened.size(), 3, 1), 3),
              (std::vector<int>{30, 60, 91}));  // a third of each: 60.5
}

TEST(RowScaler, ScalesRowsAsColumnsAndPadsTheOutputRows) {
    // A column of three pixels onto two rows; rows are 4 bytes apart.
    const std::vector<std::uint8_t> column = {10, 10, 10, 0, 20, 20, 20, 0, 41, 41, 41, 0};
    EXPECT_EQ(Scaled(column, 1, 3, 4, 1, 2), (std::vector<std::uint8_t>{13, 13, 13, 0, 34, 34, 34, 0}));
    velmoran::RowScaler scaler(1, 3, 1, 2);
    EXPECT_EQ(scaler.FirstRow(0), 0);
    EXPECT_EQ(scaler.EndRow(0), 2);  // rows 0 and half of 1
    EXPECT_EQ(scaler.FirstRow(1), 1);
    EXPECT_EQ(scaler.EndRow(1), 3);
}

BitmapImage Picture(int width, int height, std::uint8_t (*value)(int x, int y, int c)) {
    BitmapImage image{{width, height, PaddedRow(width) * static_cast<std::uint64_t>(height)}, {}};
    image.pixels.assign(image.layout.dataSize, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) image.pixels[PaddedRow(width) * y + 3 * x + c] = value(x, y, c);
    return image;
}

MipChain Banded(const BitmapImage& image, std::size_t bandBytes = velmoran::kBandBytes) {
    std::optional<MipChain> chain = BandedMipChain(image, bandBytes);
    EXPECT_TRUE(chain) << "bands out of order, overlapping or missing rows";
    return chain.value_or(MipChain{});
}

TEST(BuildMipBands, HalvesDownToOneTexelRoundingLikeGlu) {
    // 4 x 2: the two by two means round to nearest; once one side is a single
    // texel, pairs are averaged and rounded down.
    const auto chain = Banded(
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

TEST(BuildMipBands, APowerOfTwoPictureIsItsOwnFirstLevel) {
    const BitmapImage image = Picture(8, 2, [](int x, int y, int c) { return static_cast<std::uint8_t>(x + 8 * y + c); });
    const std::vector<std::uint8_t> pixels(image.pixels.begin(), image.pixels.end());
    const auto chain = Banded(image);
    ASSERT_EQ(chain.size(), 4u);  // 8x2, 4x1, 2x1, 1x1
    EXPECT_EQ(std::vector<std::uint8_t>(chain[0].bgr.begin(), chain[0].bgr.end()), pixels);
    EXPECT_EQ(chain[3].width * chain[3].height, 1);
}

TEST(BuildMipBands, APictureGluRefusesGivesNoBandsAndReadsNoRows) {
    int bands = 0, reads = 0;
    const velmoran::RowSource source = [&](int, std::uint8_t*) {
        ++reads;
        return true;
    };
    EXPECT_TRUE(velmoran::BuildMipBands(4, -4, source, [&](velmoran::MipBand&&) {
        ++bands;
        return true;
    }));
    EXPECT_EQ(bands + reads, 0);
}

// Pictures scaled up and down, of sides that are no power of two, one pixel,
// and rows of a width whose bytes are no multiple of 4, in bands of sizes
// that divide no level's height (down to two rows a band): every texel of
// every level as the whole picture's chain has it.
TEST(BuildMipBands, BandsMakeTheWholePicturesChainByteForByte) {
    const std::vector<std::array<int, 2>> sizes = {{1, 1},   {1, 9},   {9, 1},   {3, 3},   {5, 7},    {7, 5},
                                                   {2, 1},   {1, 2},   {6, 3},   {1023, 3}, {33, 250}, {250, 33},
                                                   {64, 32}, {100, 70}, {383, 191}, {1366, 768}};
    const std::size_t bandBytes[] = {1, 40, 999, 5000, velmoran::kBandBytes};
    for (const auto& [width, height] : sizes) {
        const BitmapImage image = Picture(width, height, [](int x, int y, int c) {
            return static_cast<std::uint8_t>((x * 37 + y * 101 + c * 59) ^ (x * y));
        });
        const MipChain whole = ReferenceMipChain(image);
        for (std::size_t bytes : bandBytes) {
            const MipChain banded = Banded(image, bytes);
            ASSERT_EQ(banded.size(), whole.size()) << width << "x" << height;
            for (std::size_t i = 0; i < whole.size(); ++i) {
                ASSERT_EQ(banded[i].width, whole[i].width);
                ASSERT_EQ(banded[i].height, whole[i].height);
                EXPECT_TRUE(banded[i].bgr == whole[i].bgr)
                    << width << "x" << height << " in bands of " << bytes << " bytes, level " << i;
            }
        }
    }
}

TEST(BuildMipBands, StopsWhenTheSourceFailsOrTheSinkWantsNoMore) {
    const BitmapImage image = Picture(40, 30, [](int, int, int) { return std::uint8_t{7}; });
    int rowsGiven = 0;
    const velmoran::RowSource failsHalfWay = [&](int count, std::uint8_t*) {
        rowsGiven += count;
        return rowsGiven <= 15;
    };
    EXPECT_FALSE(velmoran::BuildMipBands(40, 30, failsHalfWay, [](velmoran::MipBand&&) { return true; }, 100));
    int bands = 0;
    const velmoran::RowSource source = [&](int, std::uint8_t*) { return true; };
    EXPECT_FALSE(velmoran::BuildMipBands(40, 30, source, [&](velmoran::MipBand&&) { return ++bands < 2; }, 100));
    EXPECT_EQ(bands, 2) << "no band after the sink said no";
}

// Every band a loader hands out, in the order it does.
std::vector<velmoran::MipBand> AllBands(velmoran::PictureLoader& loader) {
    std::vector<velmoran::MipBand> bands;
    while (std::optional<velmoran::MipBand> band = loader.NextBand()) bands.push_back(std::move(*band));
    return bands;
}

TEST(PictureLoader, PreparesTheChainsBandsOnItsThread) {
    BitmapSample sample;
    sample.width = 5;
    sample.height = 3;
    velmoran::PictureLoader loader(WriteTempFile("loader_5x3.bmp", MakeBitmap(sample)));
    const auto size = loader.Size();
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 5);
    EXPECT_EQ(size->height, 3);
    const auto bands = AllBands(loader);
    EXPECT_TRUE(loader.Complete());
    ASSERT_EQ(bands.size(), 3u);  // 4x4, 2x2, 1x1: each level one band
    std::vector<std::array<int, 3>> levels;  // level, width, rows
    for (const auto& band : bands) levels.push_back({band.level, band.size.width, band.rows});
    std::sort(levels.begin(), levels.end());
    EXPECT_EQ(levels, (std::vector<std::array<int, 3>>{{0, 4, 4}, {1, 2, 2}, {2, 1, 1}}));
}

TEST(PictureLoader, UnreadableAndRefusedFilesGiveNothingATopDownOneNoBands) {
    EXPECT_FALSE(velmoran::PictureLoader(::testing::TempDir() + "no_such_capture.bmp").Size());
    BitmapSample notBM;
    notBM.type = "MB";
    EXPECT_FALSE(velmoran::PictureLoader(WriteTempFile("loader_not_bm.bmp", MakeBitmap(notBM))).Size());
    BitmapSample topDown;
    topDown.height = -4;
    velmoran::PictureLoader loader(WriteTempFile("loader_top_down.bmp", MakeBitmap(topDown)));
    const auto size = loader.Size();
    ASSERT_TRUE(size) << "read, though it cannot become a texture";
    EXPECT_EQ(size->height, -4);
    EXPECT_TRUE(AllBands(loader).empty());
    EXPECT_TRUE(loader.Complete());
}

}  // namespace
