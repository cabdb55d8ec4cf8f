#include "viewer/bitmap_file.h"

#include "support/bitmap_samples.h"
#include "viewer/picture_loader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>
#include <utility>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#endif

namespace {

using namespace velmoran::testing;

struct ReadImage {
    velmoran::PixelLayout layout;
    std::vector<std::uint8_t> pixels;
};

// The file opened and every row read, as the picture loader reads them.
std::optional<ReadImage> ReadBitmapFile(const std::string& path) {
    std::optional<velmoran::BitmapFile> file = velmoran::OpenBitmapFile(path);
    if (!file) return std::nullopt;
    ReadImage image{file->layout(), {}};
    const int rows = std::abs(image.layout.height);
    image.pixels.resize(velmoran::RowStride24(image.layout.width) * static_cast<std::size_t>(rows));
    if (!file->ReadRows(rows, image.pixels.data())) return std::nullopt;
    return image;
}

// A sample's file with these dimensions in its header; `rows` rows of pixels
// follow it, zeros (a sparse file where the system makes one).
std::string SizedBitmap(const std::string& name, std::int32_t width, std::int32_t height, std::int32_t rows) {
    BitmapSample sample;
    sample.width = 1;
    sample.height = 1;
    sample.imageSize = 0;
    std::vector<std::uint8_t> bytes = MakeBitmap(sample);
    bytes.resize(54);
    PatchInt32(bytes, 18, width);
    PatchInt32(bytes, 22, height);
    const std::string path = WriteTempFile(name, bytes);
    std::filesystem::resize_file(path, 54 + PaddedRow(width) * static_cast<std::size_t>(rows));
    return path;
}

class BitmapFileCase : public ::testing::TestWithParam<LoaderCase> {};

TEST_P(BitmapFileCase, AcceptsOnlyWhatTheUploadReadsRightAndHandsOverEveryRow) {
    const LoaderCase& c = GetParam();
    std::string path = WriteTempFile(std::string("reader_") + c.name + ".bmp", MakeBitmap(c.sample));
    auto image = ReadBitmapFile(path);
    ASSERT_EQ(image.has_value(), c.accepted);
    if (!c.accepted) return;
    EXPECT_EQ(image->layout.width, c.sample.width);
    EXPECT_EQ(image->layout.height, c.sample.height);
    EXPECT_EQ(image->pixels, SamplePixels(c.sample.width, c.sample.height));
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
    EXPECT_EQ(image->pixels, SamplePixels(1023, 4));
}

TEST(BitmapFile, ALargerImageSizeFieldMustBeInTheFileWholeThoughOnlyTheRowsAreRead) {
    BitmapSample s;
    s.imageSize = 8 * 4 * 3 + 16;
    std::vector<std::uint8_t> bytes = MakeBitmap(s);
    EXPECT_FALSE(ReadBitmapFile(WriteTempFile("reader_larger_short.bmp", bytes)));
    bytes.resize(bytes.size() + 16, 0x55);
    auto image = ReadBitmapFile(WriteTempFile("reader_larger.bmp", bytes));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->layout.dataSize, 8u * 4u * 3u + 16u);
    EXPECT_EQ(image->pixels, SamplePixels(8, 4));
}

TEST(BitmapFile, RowsAreReadInTurnAndNoneBeyondTheLast) {
    BitmapSample s;
    s.width = 5;
    s.height = 3;
    auto file = velmoran::OpenBitmapFile(WriteTempFile("reader_rows.bmp", MakeBitmap(s)));
    ASSERT_TRUE(file);
    std::vector<std::uint8_t> rows(3 * 16, 0);
    ASSERT_TRUE(file->ReadRows(1, rows.data()));
    ASSERT_TRUE(file->ReadRows(2, rows.data() + 16));
    EXPECT_EQ(rows, SamplePixels(5, 3));
    EXPECT_FALSE(file->ReadRows(1, rows.data())) << "three rows only";
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

// Pictures larger than any screen the viewer is for are refused from their
// header, before memory is taken for them: the rows of 32768 x 21845 take
// 2 GB, its mipmap chain more.
TEST(BitmapFile, PicturesBeyondTheBoundsAreRefusedFromTheirHeader) {
    const std::pair<std::int32_t, std::int32_t> accepted[] = {{16384, 1}, {1, 16384}, {1, -16384}, {8192, 8192}};
    for (const auto& [width, height] : accepted) {
        const auto header = SizedBitmap("reader_bounds.bmp", width, height, 0);
        std::vector<std::uint8_t> info(54 - 14);
        std::FILE* file = std::fopen(header.c_str(), "rb");
        ASSERT_TRUE(file);
        std::fseek(file, 14, SEEK_SET);
        ASSERT_EQ(std::fread(info.data(), 1, info.size(), file), info.size());
        std::fclose(file);
        EXPECT_TRUE(velmoran::ReadPixelLayout(info)) << width << " x " << height;
    }
    const std::pair<std::int32_t, std::int32_t> refused[] = {
        {16385, 1}, {1, 16385}, {1, -16385}, {8192, 8193}, {16384, 4097}, {32768, 21845}};
    for (const auto& [width, height] : refused) {
        // The file holds every row it announces.
        const auto path = SizedBitmap("reader_beyond.bmp", width, height, height < 0 ? -height : height);
        EXPECT_FALSE(ReadBitmapFile(path)) << width << " x " << height;
    }
    std::filesystem::remove(::testing::TempDir() + "reader_beyond.bmp");
}

#ifndef _WIN32
// A named pipe as the capture would hold the viewer's start for good: it is
// refused at once. (Ended by an alarm when it is waited on.)
TEST(BitmapFileDeathTest, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    const std::string pipe = ::testing::TempDir() + "reader_pipe.bmp";
    std::filesystem::remove(pipe);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EXIT(
        {
            alarm(10);
            std::exit(ReadBitmapFile(pipe) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    std::filesystem::remove(pipe);
}

// A file cut short while it is read gives no more rows than it holds.
TEST(BitmapFile, AFileCutShortWhileReadFailsToGiveTheRest) {
    BitmapSample s;
    s.width = 1000;
    s.height = 100;
    const std::string path = WriteTempFile("reader_cut.bmp", MakeBitmap(s));
    auto file = velmoran::OpenBitmapFile(path);
    ASSERT_TRUE(file);
    std::filesystem::resize_file(path, 54 + 3000 * 50);  // far beyond what the stream buffers
    std::vector<std::uint8_t> rows(3000 * 100, 0);
    EXPECT_TRUE(file->ReadRows(50, rows.data()));
    EXPECT_FALSE(file->ReadRows(1, rows.data() + 3000 * 50));
    std::filesystem::remove(path);
}

// Address space beyond what the process holds now limited to `more` bytes.
void LimitAddressSpace(rlim_t more) {
    std::ifstream statm("/proc/self/statm");
    rlim_t pages = 0;
    statm >> pages;
    const rlim_t limit = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + more;
    const rlimit bounds{limit, limit};
    setrlimit(RLIMIT_AS, &bounds);
}

// A picture within the bounds whose chain memory cannot hold (its bands all
// kept, as GL keeps its copy) is refused like a bad file, and the sphere
// shows white; the viewer does not abort.
TEST(PictureLoaderDeathTest, APictureThatMemoryCannotHoldIsRefused) {
    const std::string path = SizedBitmap("loader_no_memory.bmp", 4096, 4096, 4096);  // 48 MB of rows
    EXPECT_EXIT(
        {
            std::vector<velmoran::MipBand> kept;
            kept.reserve(1000);
            LimitAddressSpace(16u << 20);
            velmoran::PictureLoader loader(path);
            if (!loader.Size()) std::exit(0);
            while (std::optional<velmoran::MipBand> band = loader.NextBand()) kept.push_back(std::move(*band));
            std::exit(loader.Complete() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    std::filesystem::remove(path);
}
#endif

}  // namespace
