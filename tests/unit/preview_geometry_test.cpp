#include "saver/preview/preview_geometry.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

const TwipsPerPixel k96Dpi = TwipsPerPixelAt(96, 96);

TEST(TwipsPerPixel, FollowTheScreensResolution) {
    EXPECT_DOUBLE_EQ(k96Dpi.x, 15);
    EXPECT_DOUBLE_EQ(TwipsPerPixelAt(120, 144).x, 12);
    EXPECT_DOUBLE_EQ(TwipsPerPixelAt(120, 144).y, 10);
    // A resolution the screen does not tell counts as 96 dpi.
    EXPECT_DOUBLE_EQ(TwipsPerPixelAt(0, -1).x, 15);
    EXPECT_DOUBLE_EQ(TwipsPerPixelAt(0, -1).y, 15);
}

TEST(PreviewSize, IsTheHostsOuterSizeInTwipsAndBackInPixels) {
    EXPECT_EQ(PreviewSizeFor({0, 0, 152, 112}, k96Dpi), (PreviewSize{2280, 1680, 152, 112}));
    // Only the size counts, not where the host lies on the screen.
    EXPECT_EQ(PreviewSizeFor({-40, 700, 280, 940}, k96Dpi), (PreviewSize{4800, 3600, 320, 240}));
    EXPECT_EQ(PreviewSizeFor({0, 0, 152, 112}, TwipsPerPixelAt(120, 144)), (PreviewSize{1824, 1120, 152, 112}));
}

TEST(PreviewSize, RoundsTwipsHalfToEvenAndComesBackToTheHostsPixels) {
    // At 192 dpi a pixel is 7.5 twips: 151 pixels are 1132.5 twips, kept as
    // 1132, and 153 pixels are 1147.5, kept as 1148.
    const PreviewSize size = PreviewSizeFor({0, 0, 151, 153}, TwipsPerPixelAt(192, 192));
    EXPECT_EQ(size.widthTwips, 1132);
    EXPECT_EQ(size.heightTwips, 1148);
    EXPECT_EQ(size.width, 151);
    EXPECT_EQ(size.height, 153);
}

TEST(PreviewSize, HostsBeyondSixteenBitTwipsKeepTheirSize) {
    // 2,184 pixels are 32,760 twips, the last size 16 bits hold at 96 dpi.
    EXPECT_EQ(PreviewSizeFor({0, 0, 2184, 2185}, k96Dpi), (PreviewSize{32760, 32775, 2184, 2185}));
    EXPECT_EQ(PreviewSizeFor({100, 50, 3940, 2210}, k96Dpi), (PreviewSize{57600, 32400, 3840, 2160}));
    EXPECT_EQ(PreviewSizeFor({0, 0, 65535, 65535}, k96Dpi).width, 65535);
    // A rectangle spanning every coordinate stops at what 32 bits of twips hold.
    const PreviewSize widest = PreviewSizeFor({INT32_MIN, 0, INT32_MAX, 1}, k96Dpi);
    EXPECT_EQ(widest.widthTwips, INT32_MAX);
    EXPECT_EQ(widest.width, 143165576);
}

TEST(PreviewSize, AnInsideOutOrEmptyHostHasNoSize) {
    EXPECT_EQ(PreviewSizeFor({200, 200, 100, 50}, k96Dpi), (PreviewSize{0, 0, 0, 0}));
    EXPECT_EQ(PreviewSizeFor({}, k96Dpi), (PreviewSize{0, 0, 0, 0}));
}

TEST(TwipsToPixels, RoundsHalfToEven) {
    EXPECT_EQ(TwipsToPixels(2595, 15), 173);
    EXPECT_EQ(TwipsToPixels(2595, 12), 216);  // 216.25
    EXPECT_EQ(TwipsToPixels(30, 12), 2);      // 2.5
    EXPECT_EQ(TwipsToPixels(42, 12), 4);      // 3.5
}

}  // namespace
}  // namespace velmoran
