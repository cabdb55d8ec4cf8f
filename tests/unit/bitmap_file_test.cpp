#include "viewer/bitmap_file.h"

#include "support/bitmap_samples.h"

#include <gtest/gtest.h>

namespace {

using velmoran::ReadBitmapFile;
using namespace velmoran::testing;

std::vector<std::uint8_t> Bytes(const velmoran::PictureBytes& b) { return {b.begin(), b.end()}; }

class BitmapFileCase : public ::testing::TestWithParam<LoaderCase> {};

TEST_P(BitmapFileCase, AcceptsOnlyWhatTheUploadReadsRightAndHandsOverEveryRow) {
    const LoaderCase& c = GetParam();
    std::string path = WriteTempFile(std::string("reader_") + c.name + ".bmp", MakeBitmap(c.sample));
    auto image = ReadBitmapFile(path);
    ASSERT_EQ(image.has_value(), c.accepted);
    if (!c.accepted) return;
    EXPECT_EQ(image->layout.width, c.sample.width);
    EXPECT_EQ(image->layout.height, c.sample.height);
    EXPECT_EQ(Bytes(image->pixels), SamplePixels(c.sample.width, c.sample.height));
}

INSTANTIATE_TEST_SUITE_P(Samples, BitmapFileCase, ::testing::ValuesIn(LoaderCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BitmapFile, MissingFileIsRefused) {
    EXPECT_FALSE(ReadBitmapFile(::testing::TempDir() + "no_such_capture.bmp"));
    EXPECT_FALSE(ReadBitmapFile(""));
}

TEST(BitmapFile, OddWidthWithoutImageSizeUsesThePaddedStride) {
    BitmapSample s;
    s.width = 1023;
    s.imageSize = 0;
    auto image = ReadBitmapFile(WriteTempFile("reader_1023.bmp", MakeBitmap(s)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->layout.dataSize, 4u * 3072u);
    EXPECT_EQ(Bytes(image->pixels), SamplePixels(1023, 4));
}

TEST(BitmapFile, LargerImageSizeFieldIsReadWhole) {
    BitmapSample s;
    s.imageSize = 8 * 4 * 3 + 16;
    std::vector<std::uint8_t> bytes = MakeBitmap(s);
    bytes.resize(bytes.size() + 16, 0x55);
    auto image = ReadBitmapFile(WriteTempFile("reader_larger.bmp", bytes));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels.size(), 8u * 4u * 3u + 16u);
}

TEST(BitmapFile, TopDownBitmapIsReadWithItsNegativeHeight) {
    BitmapSample s;
    s.height = -4;
    auto image = ReadBitmapFile(WriteTempFile("reader_topdown.bmp", MakeBitmap(s)));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->layout.height, -4);
    EXPECT_EQ(image->pixels.size(), 4u * 24u);
}

TEST(BitmapFile, HugeAnnouncedSizesFailWithoutTakingTheMemory) {
    // Header and pixel sizes of several gigabytes in a file of a few bytes.
    BitmapSample hugeHeader;
    hugeHeader.pixelOffset = 0xFFFFFFF0u;
    EXPECT_FALSE(ReadBitmapFile(WriteTempFile("reader_huge_header.bmp", MakeBitmap(hugeHeader))));
    BitmapSample zeroImage;
    zeroImage.imageSize = 0;
    std::vector<std::uint8_t> hugeRows = MakeBitmap(zeroImage);
    PatchInt32(hugeRows, 18, 0x7FFFFFFF);   // width
    PatchInt32(hugeRows, 22, -0x7FFFFFFF);  // height
    EXPECT_FALSE(ReadBitmapFile(WriteTempFile("reader_huge_rows.bmp", hugeRows)));
}

}  // namespace
