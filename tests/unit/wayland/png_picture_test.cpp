// PNG files of every colour type a screenshot may come in, written with
// libpng's own writer, and files that are damaged, cut short or claim more
// than a desktop.
#include "saver/wayland/png_picture.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/safe_files.h"
#include "unit/wayland/png_samples.h"
#include "unit/wayland/scratch_folder.h"

namespace velmoran::wayland {
namespace {

namespace fs = std::filesystem;

class PngPictureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder_.path().empty()); }

    std::optional<ScreenPicture> Read(const Bytes& bytes) {
        const fs::path path = folder_.path() / "picture.png";
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        const File file = OpenRegularFile(path.string());
        if (!file) ADD_FAILURE() << "cannot open " << path;
        return file ? ReadPngPicture(file.get()) : std::nullopt;
    }

    ScratchFolder folder_;
};

// The picture's row `y` as blue-green-red triples, padding left out.
Bytes PixelsOfRow(const ScreenPicture& picture, int y) {
    const auto* row = picture.bgr.data() + picture.stride * static_cast<std::size_t>(y);
    return Bytes(row, row + picture.width * 3);
}

void ExpectCaptureLayout(const ScreenPicture& picture, int width, int height) {
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
    EXPECT_EQ(picture.stride, CaptureRowSize(width));
    ASSERT_EQ(picture.bgr.size(), picture.stride * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (std::size_t x = static_cast<std::size_t>(width) * 3; x < picture.stride; ++x)
            EXPECT_EQ(picture.bgr[picture.stride * static_cast<std::size_t>(y) + x], 0) << "padding of row " << y;
    }
}

TEST_F(PngPictureTest, RgbRowsBecomeBlueGreenRedTopRowFirst) {
    const auto picture = Read(EncodePng(3, {{10, 20, 30, 40, 50, 60, 70, 80, 90},
                                            {200, 0, 1, 2, 250, 3, 255, 254, 253}},
                                         {PNG_COLOR_TYPE_RGB, 8}));
    ASSERT_TRUE(picture);
    ExpectCaptureLayout(*picture, 3, 2);
    EXPECT_EQ(PixelsOfRow(*picture, 0), (Bytes{30, 20, 10, 60, 50, 40, 90, 80, 70}));
    EXPECT_EQ(PixelsOfRow(*picture, 1), (Bytes{1, 0, 200, 3, 250, 2, 253, 254, 255}));
}

TEST_F(PngPictureTest, AlphaIsDroppedAndColourKeptWhateverTheCoverage) {
    const auto picture = Read(EncodePng(3, {{10, 20, 30, 255, 40, 50, 60, 128, 70, 80, 90, 0}},
                                         {PNG_COLOR_TYPE_RGB_ALPHA, 8}));
    ASSERT_TRUE(picture);
    ExpectCaptureLayout(*picture, 3, 1);
    EXPECT_EQ(PixelsOfRow(*picture, 0), (Bytes{30, 20, 10, 60, 50, 40, 90, 80, 70}));
}

TEST_F(PngPictureTest, PaletteEntriesAreLookedUp) {
    const Layout layout{PNG_COLOR_TYPE_PALETTE, 8, {255, 0, 0, 0, 128, 0, 1, 2, 3}};
    const auto picture = Read(EncodePng(4, {{2, 0, 1, 2}, {1, 1, 0, 0}}, layout));
    ASSERT_TRUE(picture);
    ExpectCaptureLayout(*picture, 4, 2);
    EXPECT_EQ(PixelsOfRow(*picture, 0), (Bytes{3, 2, 1, 0, 0, 255, 0, 128, 0, 3, 2, 1}));
    EXPECT_EQ(PixelsOfRow(*picture, 1), (Bytes{0, 128, 0, 0, 128, 0, 0, 0, 255, 0, 0, 255}));
}

TEST_F(PngPictureTest, PackedPaletteWithTransparencyKeepsItsColours) {
    // Four pixels of two bits each in one byte: entries 3, 0, 2, 1.
    const Layout layout{PNG_COLOR_TYPE_PALETTE, 2, {9, 8, 7, 60, 50, 40, 100, 110, 120, 200, 210, 220}, {255, 0, 64, 255}};
    const auto picture = Read(EncodePng(4, {{0b11'00'10'01}}, layout));
    ASSERT_TRUE(picture);
    ExpectCaptureLayout(*picture, 4, 1);
    EXPECT_EQ(PixelsOfRow(*picture, 0), (Bytes{220, 210, 200, 7, 8, 9, 120, 110, 100, 40, 50, 60}));
}

TEST_F(PngPictureTest, SixteenBitSamplesKeepTheirValueInEightBits) {
    // Samples 0x1212, 0x8080, 0xfefe, 0x0000, 0xffff, 0x4040, big-endian.
    const auto picture = Read(EncodePng(2, {{0x12, 0x12, 0x80, 0x80, 0xfe, 0xfe, 0, 0, 0xff, 0xff, 0x40, 0x40}},
                                         {PNG_COLOR_TYPE_RGB, 16}));
    ASSERT_TRUE(picture);
    ExpectCaptureLayout(*picture, 2, 1);
    EXPECT_EQ(PixelsOfRow(*picture, 0), (Bytes{0xfe, 0x80, 0x12, 0x40, 0xff, 0}));
}

TEST_F(PngPictureTest, SixteenBitWithAlphaKeepsItsColour) {
    const auto picture = Read(EncodePng(1, {{0x20, 0x20, 0x90, 0x90, 0xc0, 0xc0, 0x10, 0x00}},
                                         {PNG_COLOR_TYPE_RGB_ALPHA, 16}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(PixelsOfRow(*picture, 0), (Bytes{0xc0, 0x90, 0x20}));
}

TEST_F(PngPictureTest, GreyBecomesEqualChannels) {
    const auto picture = Read(EncodePng(5, {{0, 1, 127, 200, 255}}, {PNG_COLOR_TYPE_GRAY, 8}));
    ASSERT_TRUE(picture);
    ExpectCaptureLayout(*picture, 5, 1);
    EXPECT_EQ(PixelsOfRow(*picture, 0), (Bytes{0, 0, 0, 1, 1, 1, 127, 127, 127, 200, 200, 200, 255, 255, 255}));
}

TEST_F(PngPictureTest, GreyWithAlphaAndSixteenBitGrey) {
    const auto withAlpha = Read(EncodePng(2, {{90, 0, 180, 255}}, {PNG_COLOR_TYPE_GRAY_ALPHA, 8}));
    ASSERT_TRUE(withAlpha);
    EXPECT_EQ(PixelsOfRow(*withAlpha, 0), (Bytes{90, 90, 90, 180, 180, 180}));
    const auto deep = Read(EncodePng(2, {{0x33, 0x33, 0xcc, 0xcc}}, {PNG_COLOR_TYPE_GRAY, 16}));
    ASSERT_TRUE(deep);
    EXPECT_EQ(PixelsOfRow(*deep, 0), (Bytes{0x33, 0x33, 0x33, 0xcc, 0xcc, 0xcc}));
}

TEST_F(PngPictureTest, LargestSideIsTakenAndOneMoreRefused) {
    const Bytes grey(kLargestPictureSide + 1, 77);
    const auto largest = Read(EncodePng(kLargestPictureSide, {Bytes(grey.begin(), grey.end() - 1)},
                                        {PNG_COLOR_TYPE_GRAY, 8}));
    ASSERT_TRUE(largest);
    ExpectCaptureLayout(*largest, kLargestPictureSide, 1);
    EXPECT_EQ(largest->bgr[static_cast<std::size_t>(kLargestPictureSide) * 3 - 1], 77);
    EXPECT_FALSE(Read(EncodePng(kLargestPictureSide + 1, {grey}, {PNG_COLOR_TYPE_GRAY, 8})));
}

// The 16-bit picture's header claims another size, its checksum made good,
// so that only the size is wrong.
Bytes ClaimingSize(Bytes file, std::uint32_t width, std::uint32_t height) {
    constexpr std::size_t kHeaderType = 12, kWidth = 16, kCrc = 29;
    for (int i = 0; i < 4; ++i) {
        file[kWidth + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        file[kWidth + 4 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    const uLong crc = crc32(0, file.data() + kHeaderType, 17);
    for (int i = 0; i < 4; ++i) file[kCrc + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    return file;
}

Bytes SmallRgbFile() {
    return EncodePng(2, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}, {PNG_COLOR_TYPE_RGB, 8});
}

TEST_F(PngPictureTest, HugeClaimsAreRefusedWithoutReadingPixels) {
    const Bytes file = SmallRgbFile();
    ASSERT_TRUE(Read(ClaimingSize(file, 2, 2))) << "the header rewrite itself must be sound";
    EXPECT_FALSE(Read(ClaimingSize(file, 100000, 100000)));
    EXPECT_FALSE(Read(ClaimingSize(file, kLargestPictureSide, kLargestPictureSide)));
    EXPECT_FALSE(Read(ClaimingSize(file, 1, 0x7fffffff)));
    EXPECT_FALSE(Read(ClaimingSize(file, 0xffffffff, 0xffffffff)));
    EXPECT_FALSE(Read(ClaimingSize(file, 0, 2)));
}

TEST_F(PngPictureTest, MoreRowsClaimedThanStoredIsRefused) {
    EXPECT_FALSE(Read(ClaimingSize(SmallRgbFile(), 2, 3)));
}

// The end chunk (the last 12 bytes) holds nothing of the picture: a file cut
// there still gives the whole picture; cut anywhere before, nothing.
TEST_F(PngPictureTest, CutShortBeforeTheEndChunkIsRefused) {
    const Bytes file = SmallRgbFile();
    constexpr std::size_t kEndChunk = 12;
    for (std::size_t length : {std::size_t{0}, std::size_t{4}, std::size_t{8}, std::size_t{20}, std::size_t{33},
                               std::size_t{45}, file.size() / 2, file.size() - kEndChunk - 5,
                               file.size() - kEndChunk - 1})
        EXPECT_FALSE(Read(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)))) << length;
    const auto withoutEnd = Read(Bytes(file.begin(), file.end() - kEndChunk));
    ASSERT_TRUE(withoutEnd);
    EXPECT_EQ(PixelsOfRow(*withoutEnd, 1), (Bytes{9, 8, 7, 12, 11, 10}));
}

TEST_F(PngPictureTest, DamagedPixelDataIsRefused) {
    Bytes file = SmallRgbFile();
    constexpr std::size_t kFirstChunkAfterHeader = 33, kData = kFirstChunkAfterHeader + 8;
    ASSERT_EQ(std::string(file.begin() + kFirstChunkAfterHeader + 4, file.begin() + kData), "IDAT");
    file[kData + 2] ^= 0xff;
    EXPECT_FALSE(Read(file));
}

TEST_F(PngPictureTest, OtherFilesAreRefused) {
    const std::string text = "BM not a PNG file at all, though long enough to hold a header";
    EXPECT_FALSE(Read(Bytes(text.begin(), text.end())));
    Bytes wrongSignature = SmallRgbFile();
    wrongSignature[1] = 'Q';
    EXPECT_FALSE(Read(wrongSignature));
}

}  // namespace
}  // namespace velmoran::wayland
