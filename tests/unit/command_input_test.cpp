// The push button's reactions to pointer, focus and the pointer watch.
#include <gtest/gtest.h>

#include "command_fakes.h"

namespace velmoran::testing {
namespace {

using F = FaceImage;
using Faces = std::vector<FaceImage>;

TEST(CommandInput, HoverPressReleaseOnUnfocusedButtonClicksOnce) {
    Button b;
    b.Move();
    b.Down();
    b.control.UserControl_GotFocus();  // the press brings the focus
    b.Up();
    EXPECT_EQ(b.surface.Faces(), (Faces{F::HighLight, F::Pressed, F::Pressed, F::HighLightSelect}));
    EXPECT_EQ(b.control.FaceState(), kFocusedPointerOver);
    EXPECT_EQ(b.site.clicks, 1);
}

TEST(CommandInput, DraggingOffBeforeTheReleaseRaisesNoClick) {
    Button b;
    b.control.UserControl_GotFocus();
    b.Move();  // focused and hovered
    b.Down();
    b.PointerStaysTick();
    EXPECT_EQ(b.control.FaceState(), kFocusedPointerOver);
    b.PointerGoneTick();
    EXPECT_EQ(b.control.FaceState(), kFocused);
    EXPECT_EQ(b.surface.Faces().back(), F::Selected);

    b.surface.paints.clear();
    b.Up();
    EXPECT_EQ(b.site.clicks, 0);
    EXPECT_TRUE(b.surface.paints.empty());
}

TEST(CommandInput, DraggingBackWhileHeldKeepsSelectedAndStillNoClick) {
    Button b;
    b.control.UserControl_GotFocus();
    b.Move();
    b.Down();
    b.PointerGoneTick();
    b.surface.paints.clear();
    b.Move();  // back over the face, button still held
    EXPECT_EQ(b.control.FaceState(), kFocused);
    EXPECT_TRUE(b.surface.paints.empty());
    b.Up();
    EXPECT_EQ(b.site.clicks, 0);
    b.Move();  // released: the hover look comes back
    EXPECT_EQ(b.surface.Faces(), Faces{F::HighLightSelect});
}

TEST(CommandInput, RightAndMiddleButtonsDrawNothingButTheirReleaseClicks) {
    Button b;
    b.Move();
    b.surface.paints.clear();
    for (std::int16_t button : {kRightButton, kMiddleButton}) {
        b.Down(button);
        b.Up(button);
    }
    EXPECT_TRUE(b.surface.paints.empty());
    EXPECT_FALSE(b.control.MouseHeld());
    EXPECT_EQ(b.site.clicks, 2);
}

TEST(CommandInput, KeyboardFocusWhileHoveredShowsPressedUntilLeaveOrRelease) {
    Button left;
    left.Move();
    left.control.UserControl_GotFocus();
    EXPECT_EQ(left.surface.Faces().back(), F::Pressed);
    left.PointerGoneTick();
    EXPECT_EQ(left.surface.Faces().back(), F::Selected);

    Button released;
    released.Move();
    released.control.UserControl_GotFocus();
    released.Up();
    EXPECT_EQ(released.surface.Faces().back(), F::HighLightSelect);
    EXPECT_EQ(released.site.clicks, 1);
}

TEST(CommandInput, LeftReleaseWhileHoveredDrawsNormalAndHoverWaitsForALeave) {
    Button b;
    b.Move();
    b.Up();
    EXPECT_EQ(b.surface.Faces(), (Faces{F::HighLight, F::Normal}));
    EXPECT_EQ(b.control.FaceState(), kPointerOver);
    b.Move();
    b.Move();
    EXPECT_EQ(b.surface.paints.size(), 2u);
    b.PointerGoneTick();
    b.Move();
    EXPECT_EQ(b.surface.Faces().back(), F::HighLight);
}

TEST(CommandInput, BeforeInitializeNoHoverLookAndAReleaseClicks) {
    Button b(/*initialise=*/false);
    EXPECT_FALSE(b.site.timerEnabled);
    b.Move();
    EXPECT_TRUE(b.surface.paints.empty());
    b.Up();
    EXPECT_EQ(b.site.clicks, 1);
}

TEST(CommandInput, InitializeStartsTheWatchAndResetsTheStateWithoutDrawing) {
    Button b;
    EXPECT_TRUE(b.site.timerEnabled);
    EXPECT_EQ(b.site.timerInterval, 100);
    b.control.UserControl_GotFocus();
    b.Move();
    b.surface.paints.clear();
    b.control.Initialize();
    EXPECT_EQ(b.control.FaceState(), kIdle);
    EXPECT_TRUE(b.surface.paints.empty());
    b.Move();
    EXPECT_EQ(b.surface.Faces(), Faces{F::HighLight});
}

TEST(CommandInput, FocusArrivalAndLossFromEveryState) {
    Button b;
    b.control.UserControl_GotFocus();
    b.control.UserControl_GotFocus();  // again from 3: Selected again
    EXPECT_EQ(b.surface.Faces(), (Faces{F::Selected, F::Selected}));
    b.control.UserControl_LostFocus();
    b.control.UserControl_LostFocus();  // already idle: nothing
    EXPECT_EQ(b.surface.Faces(), (Faces{F::Selected, F::Selected, F::Normal}));

    Button fresh(/*initialise=*/false);
    fresh.control.UserControl_LostFocus();  // from 0
    EXPECT_EQ(fresh.control.FaceState(), kIdle);
}

TEST(CommandInput, PointerWatchCountsOnlyTheControlItselfAsOver) {
    for (WindowRef elsewhere : {kHost, kNeighbour, WindowRef(0)}) {
        Button b;
        b.Move();
        b.PointerStaysTick();
        EXPECT_EQ(b.control.FaceState(), kPointerOver);
        b.PointerGoneTick(elsewhere);
        EXPECT_EQ(b.control.FaceState(), kIdle) << elsewhere;
        EXPECT_EQ(b.surface.Faces().back(), F::Normal);
    }
}

TEST(CommandInput, DisabledIgnoresAllInputButTheWindowStillTakesItIn) {
    Button b;
    b.control.SetEnabled(false);
    b.surface.paints.clear();
    b.Move();
    b.Down();
    b.control.UserControl_GotFocus();
    b.Up();
    b.control.UserControl_LostFocus();
    b.PointerGoneTick();
    b.control.LeaveHover();
    EXPECT_TRUE(b.surface.paints.empty());
    EXPECT_EQ(b.site.clicks, 0);
    EXPECT_EQ(b.control.FaceState(), kIdle);
    EXPECT_FALSE(b.control.MouseHeld());
}

TEST(CommandInput, ReenabledKeepsItsStateAndLeavesHoverAtTheNextTick) {
    Button b;
    b.control.UserControl_GotFocus();
    b.Move();
    b.control.SetEnabled(false);
    EXPECT_EQ(b.surface.Faces().back(), F::Disable);
    EXPECT_FALSE(b.surface.caption.enabled);
    b.control.SetEnabled(true);
    EXPECT_EQ(b.surface.Faces().back(), F::Normal);
    EXPECT_TRUE(b.surface.caption.enabled);
    EXPECT_EQ(b.control.FaceState(), kFocusedPointerOver);
    b.PointerGoneTick();
    EXPECT_EQ(b.surface.Faces().back(), F::Selected);
}

TEST(CommandInput, ResizeRepaintsEvenWhenDisabled) {
    Button b;
    b.control.SetEnabled(false);
    b.surface.paints.clear();
    b.control.UserControl_Resize();
    EXPECT_EQ(b.surface.Faces(), Faces{F::Disable});
}

// The host may close the form from its click handler, so the release must
// have drawn and set everything before it raises the click.
TEST(CommandInput, ClickIsTheLastThingTheReleaseDoes) {
    Button b;
    b.control.UserControl_GotFocus();
    b.Move();
    b.Down();
    std::size_t paints = 0;
    int refreshes = 0;
    std::uint8_t state = 0;
    bool held = true;
    b.site.onClick = [&] {
        paints = b.surface.paints.size();
        refreshes = b.surface.refreshes;
        state = b.control.FaceState();
        held = b.control.MouseHeld();
    };
    b.Up();
    EXPECT_EQ(b.site.clicks, 1);
    EXPECT_EQ(b.surface.paints.size(), paints);
    EXPECT_EQ(b.surface.refreshes, refreshes);
    EXPECT_EQ(b.control.FaceState(), state);
    EXPECT_FALSE(held);
    EXPECT_EQ(b.surface.Faces().back(), F::HighLightSelect);
}

TEST(CommandInput, CaptionBehavesAsPartOfTheFace) {
    Button b;
    b.control.LblMsg_MouseMove(0, 0, 10, 10);
    b.control.LblMsg_MouseDown(kLeftButton, 0, 10, 10);
    b.control.LblMsg_MouseUp(kLeftButton, 0, 10, 10);
    EXPECT_EQ(b.surface.Faces(), (Faces{F::HighLight, F::Pressed, F::Normal}));
    EXPECT_EQ(b.site.clicks, 1);
}

TEST(CommandInput, PlatformPointerEventsReachTheirHandlers) {
    Button b;
    b.control.PointerEvent(Command::Pointer::Move, 0, 0, 1, 1);                // on the frame
    b.control.PointerEvent(Command::Pointer::Down, kLeftButton, 0, 30, 12);   // on the caption
    b.control.PointerEvent(Command::Pointer::Up, kLeftButton, 0, 60, 20);
    EXPECT_EQ(b.surface.Faces(), (Faces{F::HighLight, F::Pressed, F::Normal}));
    EXPECT_EQ(b.site.clicks, 1);
}

}  // namespace
}  // namespace velmoran::testing
