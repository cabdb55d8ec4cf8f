#include "common/capture_bitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using velmoran::ScreenPicture;

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
ScreenPicture Gradient(int width, int height, std::size_t extraStride = 0) {
    ScreenPicture p{width, height, static_cast<std::size_t>(width) * 3 + extraStride, {}};
    p.bgr.assign(p.stride * height, 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            auto* px = &p.bgr[p.stride * y + x * 3];
            px[0] = static_cast<std::uint8_t>(x);
            px[1] = static_cast<std::uint8_t>(y);
            px[2] = static_cast<std::uint8_t>(100 + x + y);
        }
    return p;
}

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
    ASSERT_TRUE(velmoran::WriteCaptureBitmap(target, picture));

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

TEST_F(CaptureBitmapFile, OverwritesAnEarlierCaptureAndLeavesNothingElseBehind) {
    const auto target = dir_ / "Velmoran.bmp";
    ASSERT_TRUE(velmoran::WriteCaptureBitmap(target, Gradient(8, 8)));
    ASSERT_TRUE(velmoran::WriteCaptureBitmap(target, Gradient(4, 2)));
    EXPECT_EQ(fs::file_size(target), 54u + 12u * 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(CaptureBitmapFile, CreatesMissingFolders) {
    const auto target = dir_ / "cache" / "deeper" / "Velmoran.bmp";
    ASSERT_TRUE(velmoran::WriteCaptureBitmap(target, Gradient(2, 2)));
    EXPECT_EQ(fs::file_size(target), 54u + 8u * 2);
}

TEST_F(CaptureBitmapFile, ReportsFailureAndKeepsTheOldFile) {
    const auto target = dir_ / "Velmoran.bmp";
    ASSERT_TRUE(velmoran::WriteCaptureBitmap(target, Gradient(2, 2)));

    auto shortBuffer = Gradient(4, 4);
    shortBuffer.bgr.resize(shortBuffer.bgr.size() - 1);
    EXPECT_FALSE(velmoran::WriteCaptureBitmap(target, shortBuffer));
    EXPECT_FALSE(velmoran::WriteCaptureBitmap(target, ScreenPicture{}));
    EXPECT_EQ(fs::file_size(target), 54u + 8u * 2);

    // A folder that cannot be made: its parent is a plain file.
    EXPECT_FALSE(velmoran::WriteCaptureBitmap(target / "sub" / "Velmoran.bmp", Gradient(2, 2)));
    // The target itself is a folder: the rename fails and the partial file goes.
    fs::create_directories(dir_ / "taken.bmp" / "inside");
    EXPECT_FALSE(velmoran::WriteCaptureBitmap(dir_ / "taken.bmp", Gradient(2, 2)));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

// An earlier capture is taken away: removed where it can be, emptied in a
// folder that cannot be changed; a link is removed, never followed.
TEST_F(CaptureBitmapFile, DiscardingRemovesAnEarlierCaptureAndNothingElse) {
    const auto target = dir_ / "Velmoran.bmp";
    ASSERT_TRUE(velmoran::WriteCaptureBitmap(target, Gradient(2, 2)));
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
    const bool written = velmoran::WriteCaptureBitmap(target, Gradient(2, 2));
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

// In a folder the user may not change, the capture cannot be removed and no
// new one written; it is emptied, so the viewer shows none. The user is a
// plain one (nobody's, when the tests run as root, which may change any folder).
TEST_F(CaptureBitmapFile, AnEarlierCaptureInAFolderThatCannotBeChangedIsEmptied) {
    const auto folder = dir_ / "run";
    const auto target = folder / "Velmoran.bmp";
    ASSERT_TRUE(velmoran::WriteCaptureBitmap(target, Gradient(2, 2)));
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
            const bool written = velmoran::WriteCaptureBitmap(target, Gradient(2, 2));
            velmoran::DiscardCapture(target);
            std::exit(!written && fs::exists(target) && fs::file_size(target) == 0 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    fs::permissions(folder, fs::perms::owner_all);
}
#endif

}  // namespace
