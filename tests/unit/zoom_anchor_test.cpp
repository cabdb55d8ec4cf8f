#include "saver/dialog/zoom_anchor.h"

#include <gtest/gtest.h>

namespace velmoran {
namespace {

TEST(ZoomAnchor, StartsAtTheTopLeftCornerAndGivesARectangleOfNoSize) {
    ZoomAnchor anchor;
    EXPECT_EQ(anchor.AnchorX, 0);
    EXPECT_EQ(anchor.AnchorY, 0);
    EXPECT_EQ(AnchorRect(anchor), (ScreenRect{0, 0, 0, 0}));
    anchor.AnchorX = -20;
    anchor.AnchorY = 300;
    EXPECT_EQ(AnchorRect(anchor), (ScreenRect{-20, 300, -20, 300}));
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
