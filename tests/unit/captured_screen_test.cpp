#include "common/captured_screen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using velmoran::HeldPicture;
using velmoran::ScreenPicture;
using Bytes = std::vector<std::uint8_t>;

// Rows of `width` pixels `stride` bytes apart, every pixel byte distinct and
// every byte between the rows' pixels `slack`.
ScreenPicture Numbered(int width, int height, std::size_t stride, std::uint8_t slack) {
    ScreenPicture p{width, height, stride, {}};
    p.bgr.assign(stride * height, slack);
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < width * 3; ++i) p.bgr[stride * y + i] = static_cast<std::uint8_t>(1 + y * 16 + i);
    return p;
}

// Row y of Numbered as the capture file stores it.
Bytes FileRow(int width, int y) {
    Bytes row(velmoran::CaptureRowSize(width), 0);
    for (int i = 0; i < width * 3; ++i) row[i] = static_cast<std::uint8_t>(1 + y * 16 + i);
    return row;
}

Bytes FileRows(int width, int first, int count) {
    Bytes rows;
    for (int y = first; y < first + count; ++y) {
        const Bytes row = FileRow(width, y);
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

TEST(HeldPicture, HandsOutRowsInTheFileLayoutWithoutCopyingThem) {
    ScreenPicture picture = Numbered(5, 4, 16, 0);  // 15 pixel bytes and one of padding a row
    const std::uint8_t* memory = picture.bgr.data();
    const HeldPicture held(std::move(picture));
    EXPECT_EQ(held.Width(), 5);
    EXPECT_EQ(held.Height(), 4);
    Bytes band(64, 0xEE);
    const auto rows = held.Rows(1, 2, band);
    EXPECT_EQ(rows.data(), memory + 16);
    EXPECT_EQ(Bytes(rows.begin(), rows.end()), FileRows(5, 1, 2));
    EXPECT_EQ(band, Bytes(64, 0xEE)) << "the band is not needed";
}

TEST(HeldPicture, CopiesRowsOfAnyOtherLayoutIntoTheBandWithZeroPadding) {
    Bytes band(48, 0xEE);
    for (const auto& picture : {Numbered(5, 3, 19, 0xAB),   // a stride with slack
                                Numbered(5, 3, 16, 0xAB),   // the file's stride, padding not zero
                                Numbered(5, 3, 15, 0xAB)})  // tightly packed
    {
        const HeldPicture held(picture);
        const auto rows = held.Rows(0, 3, band);
        EXPECT_EQ(rows.data(), band.data()) << "stride " << picture.stride;
        EXPECT_EQ(Bytes(rows.begin(), rows.end()), FileRows(5, 0, 3)) << "stride " << picture.stride;
    }
}

TEST(HeldPicture, GivesNoRowsOutsideThePictureItsMemoryOrTheBand) {
    Bytes band(64);
    Bytes large(80);
    const HeldPicture held(Numbered(5, 4, 19, 0));
    EXPECT_TRUE(held.Rows(-1, 2, band).empty());
    EXPECT_TRUE(held.Rows(0, 0, band).empty());
    EXPECT_TRUE(held.Rows(3, 2, band).empty());
    EXPECT_TRUE(held.Rows(0, 5, large).empty()) << "more rows than the picture";
    EXPECT_TRUE(held.Rows(0, 2, std::span(band).first(31)).empty()) << "a band too small for two rows";
    EXPECT_EQ(held.Rows(3, 1, band).size(), 16u);

    ScreenPicture cut = Numbered(5, 4, 16, 0);
    cut.bgr.resize(cut.bgr.size() - 2);  // the last row's last pixel is missing
    const HeldPicture short_(std::move(cut));
    EXPECT_EQ(short_.Rows(0, 3, band).size(), 48u);
    EXPECT_TRUE(short_.Rows(2, 2, band).empty());
    EXPECT_TRUE(HeldPicture(ScreenPicture{}).Rows(0, 1, band).empty());
    EXPECT_EQ(velmoran::HoldPicture(std::nullopt), nullptr);
}

}  // namespace
