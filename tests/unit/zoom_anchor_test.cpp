#include "saver/dialog/zoom_anchor.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

TEST(ZoomAnchor, StartsAtTheTopLeftCornerAndGivesARectangleOfNoSize) {
    EXPECT_EQ(AnchorX, 0);
    EXPECT_EQ(AnchorY, 0);
    EXPECT_EQ(AnchorRect(), (ScreenRect{0, 0, 0, 0}));
    AnchorX = -20;
    AnchorY = 300;
    EXPECT_EQ(AnchorRect(), (ScreenRect{-20, 300, -20, 300}));
    AnchorX = AnchorY = 0;
}

TEST(ZoomFrame, MovesEvenlyAndEndsOnTheTarget) {
    const ScreenRect from{100, 100, 100, 100};
    const ScreenRect to{0, 50, 400, 350};
    EXPECT_EQ(ZoomFrame(from, to, 1, 4), (ScreenRect{75, 88, 175, 162}));
    EXPECT_EQ(ZoomFrame(from, to, 2, 4), (ScreenRect{50, 75, 250, 225}));
    EXPECT_EQ(ZoomFrame(from, to, 4, 4), to);
    EXPECT_EQ(ZoomFrame(to, from, kZoomFrames, kZoomFrames), from);
}

}  // namespace
}  // namespace velmoran
