#include "common/capture_bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

namespace {

namespace fs = std::filesystem;
using velmoran::CapturedScreen;
using velmoran::HeldPicture;
using velmoran::ScreenPicture;
using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::vector<std::uint8_t> ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A picture whose every pixel is distinct: blue = x, green = y, red = 100 + x + y.
// Between the rows' pixels lies `slack`.
ScreenPicture Gradient(int width, int height, std::size_t extraStride = 0, std::uint8_t slack = 0xEE) {
    ScreenPicture p{width, height, static_cast<std::size_t>(width) * 3 + extraStride, {}};
    p.bgr.assign(p.stride * height, slack);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            auto* px = &p.bgr[p.stride * y + x * 3];
            px[0] = static_cast<std::uint8_t>(x);
            px[1] = static_cast<std::uint8_t>(y);
            px[2] = static_cast<std::uint8_t>(100 + x + y);
        }
    return p;
}

bool Write(const fs::path& target, ScreenPicture picture, std::size_t bandBytes = velmoran::kCaptureBandBytes) {
    return velmoran::WriteCaptureBitmap(target, HeldPicture(std::move(picture)), bandBytes);
}

// The file a Gradient makes, worked out row by row: the header, then each
// row's pixels top row first and zeros up to the next multiple of four.
Bytes GradientFile(int width, int height) {
    Bytes file = velmoran::CaptureBitmapHeader(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            file.insert(file.end(), {std::uint8_t(x), std::uint8_t(y), std::uint8_t(100 + x + y)});
        file.resize(file.size() + (4 - width * 3 % 4) % 4, 0);
    }
    return file;
}

// A screen that hands out a held picture's rows, noting the bands asked for,
// and fails from the band numbered `failAt` on.
class RecordingScreen : public CapturedScreen {
public:
    explicit RecordingScreen(ScreenPicture picture, int failAt = -1) : held_(std::move(picture)), failAt_(failAt) {}
    int Width() const override { return held_.Width(); }
    int Height() const override { return held_.Height(); }
    std::span<const std::uint8_t> Rows(int first, int count, std::span<std::uint8_t> band) const override {
        bands.emplace_back(first, count);
        if (failAt_ >= 0 && static_cast<int>(bands.size()) > failAt_) return {};
        return held_.Rows(first, count, band);
    }
    mutable std::vector<std::pair<int, int>> bands;

private:
    HeldPicture held_;
    int failAt_;
};

class CaptureBitmapFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("velmoran-bmp-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST(CaptureBitmapHeader, HoldsExactlyTheFieldsOfAnUncompressed24BitBottomUpBitmap) {
    const auto h = velmoran::CaptureBitmapHeader(1280, 1024);
    ASSERT_EQ(h.size(), 54u);
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    EXPECT_EQ(U32(h, 2), 54u + 1280u * 3 * 1024);  // file size
    EXPECT_EQ(U32(h, 6), 0u);                      // reserved
    EXPECT_EQ(U32(h, 10), 54u);                    // pixel data offset
    EXPECT_EQ(U32(h, 14), 40u);                    // information header size
    EXPECT_EQ(U32(h, 18), 1280u);
    EXPECT_EQ(U32(h, 22), 1024u);                  // positive height: bottom-up
    EXPECT_EQ(U16(h, 26), 1);                      // planes
    EXPECT_EQ(U16(h, 28), 24);                     // bits per pixel
    EXPECT_EQ(U32(h, 30), 0u);                     // uncompressed
    EXPECT_EQ(U32(h, 34), 1280u * 3 * 1024);       // image size
    EXPECT_EQ(U32(h, 46), 0u);                     // colours used
    EXPECT_EQ(U32(h, 50), 0u);                     // important colours
}

TEST(CaptureBitmapHeader, PadsRowsToFourBytesAndRefusesSizesTheFormatCannotHold) {
    EXPECT_EQ(velmoran::CaptureRowSize(1), 4u);
    EXPECT_EQ(velmoran::CaptureRowSize(3), 12u);
    EXPECT_EQ(velmoran::CaptureRowSize(5), 16u);
    EXPECT_EQ(velmoran::CaptureRowSize(1366), 4100u);
    EXPECT_EQ(U32(velmoran::CaptureBitmapHeader(5, 2), 34), 32u);
    EXPECT_TRUE(velmoran::CaptureBitmapHeader(0, 10).empty());
    EXPECT_TRUE(velmoran::CaptureBitmapHeader(10, -1).empty());
    EXPECT_TRUE(velmoran::CaptureBitmapHeader(40000, 40000).empty());  // over 4 GiB
}

TEST_F(CaptureBitmapFile, StoresTheTopRowFirstWithPaddedRows) {
    const auto target = dir_ / "Velmoran.bmp";
    const auto picture = Gradient(5, 3, 7);  // odd width, and a stride with slack
    ASSERT_TRUE(Write(target, picture));

    const auto file = ReadAll(target);
    ASSERT_EQ(file.size(), 54u + 16u * 3);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 54), velmoran::CaptureBitmapHeader(5, 3));
    for (int row = 0; row < 3; ++row) {
        const std::size_t at = 54 + 16 * row;
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(file[at + x * 3 + 0], x) << "row " << row;
            EXPECT_EQ(file[at + x * 3 + 1], row) << "row " << row;  // row 0 is the top row
            EXPECT_EQ(file[at + x * 3 + 2], 100 + x + row) << "row " << row;
        }
        EXPECT_EQ(file[at + 15], 0) << "padding of row " << row;
    }
}

// However the rows are cut into bands, the file is the same, byte for byte.
TEST_F(CaptureBitmapFile, BandsOfAnySizeMakeExactlyTheFileOfTheWholePicture) {
    struct Case {
        int width, height;
        std::size_t extraStride;
        std::uint8_t slack;
        std::size_t bandBytes;
    };
    for (const Case c : {Case{5, 7, 1, 0, 3 * 16},       // odd width, rows as the file's; bands of 3, 3 and 1
                         Case{5, 7, 7, 0xEE, 3 * 16 + 15},  // rows copied through the band, still 3 a band
                         Case{7, 1, 0, 0xEE, 1},            // one row; a band smaller than a row holds one
                         Case{4, 9, 0, 0, 2 * 12},          // no padding, 9 rows in bands of 2
                         Case{3, 5, 0, 0xEE, velmoran::kCaptureBandBytes}}) {  // all in one band
        const auto target = dir_ / "Velmoran.bmp";
        ASSERT_TRUE(Write(target, Gradient(c.width, c.height, c.extraStride, c.slack), c.bandBytes))
            << c.width << "x" << c.height;
        EXPECT_EQ(ReadAll(target), GradientFile(c.width, c.height))
            << c.width << "x" << c.height << ", bands of " << c.bandBytes << " bytes";
    }
}

TEST_F(CaptureBitmapFile, AsksForEveryRowOnceTopDownInBandsOfTheGivenSize) {
    const RecordingScreen screen(Gradient(5, 7), -1);
    ASSERT_TRUE(velmoran::WriteCaptureBitmap(dir_ / "Velmoran.bmp", screen, 3 * 16 + 5));
    EXPECT_EQ(screen.bands, (std::vector<std::pair<int, int>>{{0, 3}, {3, 3}, {6, 1}}));
}

TEST_F(CaptureBitmapFile, ABandThatCannotBeMadeWritesNothingAndKeepsTheOldFile) {
    const auto target = dir_ / "Velmoran.bmp";
    ASSERT_TRUE(Write(target, Gradient(2, 2)));
    const RecordingScreen screen(Gradient(5, 7), 1);
    EXPECT_FALSE(velmoran::WriteCaptureBitmap(target, screen, 3 * 16));
    EXPECT_EQ(screen.bands.size(), 2u) << "nothing is asked for after the band that failed";
    EXPECT_EQ(ReadAll(target), GradientFile(2, 2));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no partial file left";
}

TEST_F(CaptureBitmapFile, OverwritesAnEarlierCaptureAndLeavesNothingElseBehind) {
    const auto target = dir_ / "Velmoran.bmp";
    ASSERT_TRUE(Write(target, Gradient(8, 8)));
    ASSERT_TRUE(Write(target, Gradient(4, 2)));
    EXPECT_EQ(fs::file_size(target), 54u + 12u * 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(CaptureBitmapFile, CreatesMissingFolders) {
    const auto target = dir_ / "cache" / "deeper" / "Velmoran.bmp";
    ASSERT_TRUE(Write(target, Gradient(2, 2)));
    EXPECT_EQ(fs::file_size(target), 54u + 8u * 2);
}

TEST_F(CaptureBitmapFile, ReportsFailureAndKeepsTheOldFile) {
    const auto target = dir_ / "Velmoran.bmp";
    ASSERT_TRUE(Write(target, Gradient(2, 2)));

    auto shortBuffer = Gradient(4, 4);
    shortBuffer.bgr.resize(shortBuffer.bgr.size() - 1);
    EXPECT_FALSE(Write(target, shortBuffer));
    EXPECT_FALSE(Write(target, ScreenPicture{}));
    EXPECT_EQ(fs::file_size(target), 54u + 8u * 2);

    // A folder that cannot be made: its parent is a plain file.
    EXPECT_FALSE(Write(target / "sub" / "Velmoran.bmp", Gradient(2, 2)));
    // The target itself is a folder: the rename fails and the partial file goes.
    fs::create_directories(dir_ / "taken.bmp" / "inside");
    EXPECT_FALSE(Write(dir_ / "taken.bmp", Gradient(2, 2)));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// An earlier capture is taken away: removed where it can be, emptied in a
// folder that cannot be changed; a link is removed, never followed.
TEST_F(CaptureBitmapFile, DiscardingRemovesAnEarlierCaptureAndNothingElse) {
    const auto target = dir_ / "Velmoran.bmp";
    ASSERT_TRUE(Write(target, Gradient(2, 2)));
    velmoran::DiscardCapture(target);
    EXPECT_FALSE(fs::exists(target));
    velmoran::DiscardCapture(target);  // nothing there: nothing happens
    velmoran::DiscardCapture({});
    EXPECT_TRUE(fs::is_empty(dir_));
    fs::create_directory(target);  // a folder of that name is no capture
    velmoran::DiscardCapture(target);
    EXPECT_TRUE(fs::is_directory(target));
}

#ifndef _WIN32
TEST_F(CaptureBitmapFile, ThePictureAndTheFoldersMadeForItAreTheOwnersAlone) {
    const mode_t umaskWas = umask(0);  // what the files get is not left to the umask
    fs::permissions(dir_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    const auto target = dir_ / "cache" / "deeper" / "Velmoran.bmp";
    const bool written = Write(target, Gradient(2, 2));
    umask(umaskWas);
    ASSERT_TRUE(written);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(dir_ / "cache").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(dir_ / "cache" / "deeper").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(dir_).permissions(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec)
        << "a folder that was there stays as it was";
}

TEST_F(CaptureBitmapFile, DiscardingFollowsNoLink) {
    const auto elsewhere = dir_ / "someone's.bmp";
    std::ofstream(elsewhere) << "keep";
    fs::create_symlink(elsewhere, dir_ / "Velmoran.bmp");
    velmoran::DiscardCapture(dir_ / "Velmoran.bmp");
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir_ / "Velmoran.bmp")));
    EXPECT_EQ(fs::file_size(elsewhere), 4u);
}

// A file system that takes no more (here: a limit on the size of a file the
// process may write) fails the write of a band part way; the old capture
// stays and the partial file goes.
TEST_F(CaptureBitmapFile, AWriteCutShortLeavesTheOldCaptureAndNoPartialFile) {
    const auto target = dir_ / "Velmoran.bmp";
    ASSERT_TRUE(Write(target, Gradient(2, 2)));
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead of ending the process
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = 200;
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) std::exit(2);
            const bool written = Write(target, Gradient(40, 20), 3 * 120);
            const bool alone = std::distance(fs::directory_iterator(dir_), fs::directory_iterator()) == 1;
            std::exit(!written && alone && ReadAll(target) == GradientFile(2, 2) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// In a folder the user may not change, the capture cannot be removed and no
// new one written; it is emptied, so the viewer shows none. The user is a
// plain one (nobody's, when the tests run as root, which may change any folder).
TEST_F(CaptureBitmapFile, AnEarlierCaptureInAFolderThatCannotBeChangedIsEmptied) {
    const auto folder = dir_ / "run";
    const auto target = folder / "Velmoran.bmp";
    ASSERT_TRUE(Write(target, Gradient(2, 2)));
    const uid_t nobody = 65534;
    if (geteuid() == 0) {
        ASSERT_EQ(chown(dir_.c_str(), nobody, nobody), 0);
        ASSERT_EQ(chown(folder.c_str(), nobody, nobody), 0);
        ASSERT_EQ(chown(target.c_str(), nobody, nobody), 0);
    }
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) std::exit(2);
            const bool written = Write(target, Gradient(2, 2));
            velmoran::DiscardCapture(target);
            std::exit(!written && fs::exists(target) && fs::file_size(target) == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    fs::permissions(folder, fs::perms::owner_all);
}
#endif

}  // namespace
