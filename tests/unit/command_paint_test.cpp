// How the push button lays out a face: slices, gradient, caption, guides.
#include <gtest/gtest.h>

#include "command_fakes.h"

namespace velmoran::testing {
namespace {

using F = FaceImage;
using Slices = std::vector<std::pair<PixelRect, PixelRect>>;

Paint PaintAt(int w, int h) {
    Button b;
    b.surface.size = {w, h};
    b.control.UserControl_Resize();
    return b.surface.paints.back();
}

// Source rectangles are those of the 64 x 25 image whatever the button's size.
Slices Expected(int w, int h) {
    return {
        {{0, 0, 4, 4}, {0, 0, 4, 4}},
        {{4, 0, 56, 4}, {4, 0, w - 8, 4}},
        {{60, 0, 4, 4}, {w - 4, 0, 4, 4}},
        {{60, 4, 4, 17}, {w - 4, 4, 4, h - 8}},
        {{60, 21, 4, 4}, {w - 4, h - 4, 4, 4}},
        {{4, 21, 56, 4}, {4, h - 4, w - 8, 4}},
        {{0, 21, 4, 4}, {0, h - 4, 4, 4}},
        {{0, 4, 4, 17}, {0, 4, 4, h - 8}},
    };
}

TEST(CommandPaint, SlicesFrameButtonsOfTheDialogsSizes) {
    EXPECT_EQ(PaintAt(64, 25).slices, Expected(64, 25));  // every slice at its own size
    EXPECT_EQ(PaintAt(77, 25).slices, Expected(77, 25));  // top and bottom 56 -> 69
    EXPECT_EQ(PaintAt(41, 21).slices, Expected(41, 21));  // 56 -> 33, sides 17 -> 13
    EXPECT_EQ(Expected(77, 25)[1].second.w, 69);
    EXPECT_EQ(Expected(41, 21)[3].second.h, 13);
}

TEST(CommandPaint, SliceTableInTwips) {
    auto slices = FaceSlices(1155, 375, MiddleBand{1035, 255});
    EXPECT_EQ(slices[1].source, (TwipRect{60, 1, 840, 60}));
    EXPECT_EQ(slices[2].destination, (TwipRect{1095, 1, 60, 60}));
    EXPECT_EQ(slices[4].source, (TwipRect{900, 315, 60, 60}));
    EXPECT_EQ(slices[6].destination, (TwipRect{1, 315, 60, 60}));
    EXPECT_EQ(slices[7].source, (TwipRect{1, 60, 60, 255}));
}

TEST(CommandPaint, MiddleBandBeyond16BitsKeepsThePreviousPaintsValue) {
    MiddleBand band;
    UpdateMiddleBand(band, 1155, 375);
    EXPECT_EQ(band.w, 1035);
    EXPECT_EQ(band.h, 255);
    UpdateMiddleBand(band, 40000, 33000);
    EXPECT_EQ(band.w, 1035);
    EXPECT_EQ(band.h, 255);
    UpdateMiddleBand(band, 32887, 600);
    EXPECT_EQ(band.w, 32767);
    EXPECT_EQ(band.h, 480);
}

TEST(CommandPaint, ButtonsSmallerThanTheBorderDropTheEmptyEdges) {
    Paint p = PaintAt(6, 6);
    EXPECT_EQ(p.slices.size(), 4u);  // the corners only
    for (const auto& [source, destination] : p.slices) EXPECT_EQ(destination.w, 4);
}

TEST(CommandPaint, GradientSpansTheButtonWithVertex1AsUpperLeft) {
    Paint p = PaintAt(77, 25);
    EXPECT_EQ(p.vertices[0].x, 0);
    EXPECT_EQ(p.vertices[0].y, 0);
    EXPECT_EQ(p.vertices[1].x, 76);
    EXPECT_EQ(p.vertices[1].y, 24);
    EXPECT_EQ(p.mesh.upperLeft, 1u);
    EXPECT_EQ(p.mesh.lowerRight, 0u);
    GradientVertex white = p.vertices[0], lavender = p.vertices[1];  // idle: white on top
    EXPECT_EQ((std::array{white.red, white.green, white.blue}), (std::array<std::uint16_t, 3>{0xFF00, 0xFF00, 0xFF00}));
    EXPECT_EQ((std::array{lavender.red, lavender.green, lavender.blue}),
              (std::array<std::uint16_t, 3>{0xC600, 0xC500, 0xD700}));
    EXPECT_EQ(lavender.alpha, 0);
}

TEST(CommandPaint, ColourTextsReadRedGreenBlueLeftToRight) {
    GradientVertex v = GradientColour("&HC6C5D7");
    EXPECT_EQ(v.red, 0xC600);
    EXPECT_EQ(v.green, 0xC500);
    EXPECT_EQ(v.blue, 0xD700);
}

TEST(CommandPaint, GradientDirectionFollowsTheState) {
    Button idle;
    idle.control.UserControl_Resize();  // state 1
    EXPECT_FALSE(idle.surface.LavenderOnTop(0));

    Button fromHover;
    fromHover.Move();                            // 2
    fromHover.control.UserControl_GotFocus();    // 4 from 2
    EXPECT_TRUE(fromHover.surface.LavenderOnTop(0));
    EXPECT_TRUE(fromHover.surface.LavenderOnTop(1));
    fromHover.PointerGoneTick();                 // 3 from 4
    EXPECT_FALSE(fromHover.surface.LavenderOnTop(2));

    Button fromFocus;
    fromFocus.control.UserControl_GotFocus();    // 3
    fromFocus.Move();                            // 4 from 3
    EXPECT_FALSE(fromFocus.surface.LavenderOnTop(0));
    EXPECT_FALSE(fromFocus.surface.LavenderOnTop(1));
}

TEST(CommandPaint, DisabledFaceKeepsTheCurrentDirection) {
    Button b;
    b.Move();
    b.control.SetEnabled(false);
    EXPECT_EQ(b.surface.Faces().back(), F::Disable);
    EXPECT_TRUE(b.surface.LavenderOnTop(1));
}

TEST(CommandPaint, CaptionSpansTheWidthTenTwipsAboveCentre) {
    for (const char* text : {"", "...", "a caption far longer than the button is wide"}) {
        for (PixelSize size : {PixelSize{77, 25}, PixelSize{41, 21}}) {
            Button b;
            b.surface.size = size;
            b.control.SetCaption(text);
            b.control.UserControl_Resize();
            const CaptionElement& c = b.surface.caption;
            float H = size.h * 15.f;
            EXPECT_FLOAT_EQ(c.top + c.height / 2, H / 2 - 10) << text;
            EXPECT_EQ(c.left, 0);
            EXPECT_EQ(c.width, size.w * 15.f);
            EXPECT_EQ(c.height, 195);
        }
    }
}

TEST(CommandPaint, GuideLinesAreHiddenByEveryPaint) {
    RecordingSurface surface;
    FakeSite site;
    Command control(surface, site);
    EXPECT_EQ(control.LinesVisible(), (std::array{true, true, true, true}));
    control.UserControl_Resize();
    EXPECT_EQ(control.LinesVisible(), (std::array{false, false, false, false}));
}

TEST(CommandPaint, EveryPaintClearsFillsCopiesAndRefreshesTwice) {
    Button b;
    b.control.UserControl_Resize();
    EXPECT_EQ(b.surface.paints.size(), 1u);
    EXPECT_EQ(b.surface.paints[0].slices.size(), 8u);
    EXPECT_EQ(b.surface.refreshes, 2);
}

}  // namespace
}  // namespace velmoran::testing
