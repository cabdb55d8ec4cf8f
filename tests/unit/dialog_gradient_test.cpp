#include "saver/dialog/dialog_gradient.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velmoran {
namespace {

TEST(DialogGradient, LevelFollowsTheSineOverTheHeight) {
    // r = 243 / 3.142; v = |sin(y / r)| * 220, rounded half to even.
    EXPECT_EQ(GradientLevel(0, 243), 0);
    EXPECT_EQ(GradientLevel(1, 243), 3);     // 2.84
    EXPECT_EQ(GradientLevel(40, 243), 109);  // 108.78
    EXPECT_EQ(GradientLevel(122, 243), 220); // 219.995
    EXPECT_EQ(GradientLevel(242, 243), 3);   // 2.75
    EXPECT_EQ(GradientLevel(243, 243), 0);   // 0.09: the constant 3.142 lies just past pi
    EXPECT_EQ(GradientLevel(40, 165), 152);  // 151.83
}

TEST(DialogGradient, FormIsBlueGreyAndPanelGreyDarkAtTheEdges) {
    const std::vector<RgbColour> form = GradientLineColours(243, DialogSurface::Form);
    ASSERT_EQ(form.size(), 244u);
    EXPECT_EQ(form.front(), (RgbColour{0, 0, 30}));
    EXPECT_EQ(form[40], (RgbColour{109, 109, 139}));
    EXPECT_EQ(form[122], (RgbColour{220, 220, 250}));
    EXPECT_EQ(form.back(), (RgbColour{0, 0, 30}));

    const std::vector<RgbColour> panel = GradientLineColours(165, DialogSurface::Panel);
    ASSERT_EQ(panel.size(), 166u);
    EXPECT_EQ(panel.front(), (RgbColour{30, 30, 30}));
    EXPECT_EQ(panel[40], (RgbColour{182, 182, 182}));
    EXPECT_EQ(panel[82], (RgbColour{250, 250, 250}));
    EXPECT_EQ(panel.back(), (RgbColour{30, 30, 30}));
}

TEST(DialogGradient, LastLineIsTheHeightRoundedHalfToEven) {
    EXPECT_EQ(GradientLineColours(10.5, DialogSurface::Form).size(), 11u);  // 0..10
    EXPECT_EQ(GradientLineColours(11.5, DialogSurface::Form).size(), 13u);  // 0..12
    EXPECT_EQ(GradientLineColours(0.4, DialogSurface::Form).size(), 1u);
}

TEST(DialogGradient, SurfaceWithoutHeightGetsNoLines) {
    EXPECT_TRUE(GradientLineColours(0, DialogSurface::Form).empty());
    EXPECT_TRUE(GradientLineColours(-5, DialogSurface::Panel).empty());
    EXPECT_TRUE(GradientLineColours(std::nan(""), DialogSurface::Form).empty());
    EXPECT_TRUE(GradientLineColours(std::numeric_limits<double>::infinity(), DialogSurface::Form).empty());
}

TEST(RgbColour, PlatformValueHasRedInTheLowestByte) {
    EXPECT_EQ((RgbColour{0x12, 0x34, 0x56}.Value()), 0x563412u);
}

}  // namespace
}  // namespace velmoran
