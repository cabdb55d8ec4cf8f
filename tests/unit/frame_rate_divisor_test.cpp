#include "viewer/frame_pacer.h"
#include "viewer/frame_rate_divisor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using velmoran::FramePacer;
using velmoran::FrameRateDivisor;
using velmoran::kFramesPerCostWindow;

constexpr std::int64_t kMicro = 1'000'000;          // counter ticks per second
constexpr std::int64_t kRefresh60 = kMicro / 60;  // 16666 ticks

// Presents frames of a steady processor cost, as a process clock would see them.
class CostlyFrames {
public:
    explicit CostlyFrames(FrameRateDivisor& d) : divisor_(d) {}
    // Presents `frames` frames of `cost` ticks each; how many changed the divisor.
    int Present(int frames, std::int64_t cost) {
        int changes = 0;
        for (int i = 0; i < frames; ++i) {
            processor_ += cost;
            changes += divisor_.Presented(processor_);
        }
        return changes;
    }

private:
    FrameRateDivisor& divisor_;
    std::int64_t processor_ = 123 * kMicro;  // what the process spent before the show
};

TEST(FrameRateDivisor, CheapFramesAreShownAtEveryRefresh) {
    FrameRateDivisor d;
    d.Start(kRefresh60, 60);
    CostlyFrames frames(d);
    EXPECT_EQ(frames.Present(10 * kFramesPerCostWindow, kRefresh60 / 2 - 10), 0);  // just under half a core
    EXPECT_EQ(d.divisor(), 1);
}

TEST(FrameRateDivisor, FramesOverHalfACoreGoToEverySecondRefreshAfterOneWindow) {
    FrameRateDivisor d;
    d.Start(kRefresh60, 60);
    CostlyFrames frames(d);
    frames.Present(1, kMicro);  // the first frame, with the picture's upload, opens the window only
    frames.Present(kFramesPerCostWindow - 1, kRefresh60 * 6 / 10);
    EXPECT_EQ(d.divisor(), 1);
    EXPECT_EQ(frames.Present(1, kRefresh60 * 6 / 10), 1);
    EXPECT_EQ(d.divisor(), 2);
}

TEST(FrameRateDivisor, NeverBelowThirtyFramesASecond) {
    FrameRateDivisor at60, at144, at25;
    at60.Start(kRefresh60, 60);
    at144.Start(kMicro / 144, 144);
    at25.Start(kMicro / 25, 25);
    CostlyFrames a(at60), b(at144), c(at25);
    a.Present(5 * kFramesPerCostWindow, kMicro / 10);  // 100 ms a frame: a core at 10 fps
    b.Present(5 * kFramesPerCostWindow, kMicro / 10);
    c.Present(5 * kFramesPerCostWindow, kMicro / 10);
    EXPECT_EQ(at60.divisor(), 2);
    EXPECT_EQ(at144.divisor(), 4);  // 36 frames a second
    EXPECT_EQ(at25.divisor(), 1);
}

TEST(FrameRateDivisor, AtHighRefreshRatesTheDivisorClimbsToWhatTheCostNeeds) {
    FrameRateDivisor d;
    d.Start(kMicro / 120, 120);
    CostlyFrames frames(d);
    // 10 ms a frame: more than half a core at 120 and at 60 fps, under it at 40.
    frames.Present(kFramesPerCostWindow + 1, kMicro / 100);
    EXPECT_EQ(d.divisor(), 3);
}

TEST(FrameRateDivisor, FallsBackOnlyWellUnderTheThresholdAndAfterSeveralWindows) {
    FrameRateDivisor d;
    d.Start(kRefresh60, 60);
    CostlyFrames frames(d);
    frames.Present(kFramesPerCostWindow + 1, kRefresh60);
    ASSERT_EQ(d.divisor(), 2);
    // 45 % of a core at every refresh: under the rise, above the fall.
    EXPECT_EQ(frames.Present(20 * kFramesPerCostWindow, kRefresh60 * 45 / 100), 0);
    EXPECT_EQ(d.divisor(), 2);
    // 30 %: three calm windows in a row bring every refresh back.
    frames.Present(kFramesPerCostWindow * velmoran::kCalmWindowsBeforeFalling - 1, kRefresh60 * 3 / 10);
    EXPECT_EQ(d.divisor(), 2);
    EXPECT_EQ(frames.Present(1, kRefresh60 * 3 / 10), 1);
    EXPECT_EQ(d.divisor(), 1);
}

TEST(FrameRateDivisor, ACostlyWindowBetweenCalmOnesStartsTheCountAgain) {
    FrameRateDivisor d;
    d.Start(kRefresh60, 60);
    CostlyFrames frames(d);
    frames.Present(kFramesPerCostWindow + 1, kRefresh60);
    frames.Present(2 * kFramesPerCostWindow, kRefresh60 / 5);
    frames.Present(kFramesPerCostWindow, kRefresh60 * 45 / 100);
    frames.Present(2 * kFramesPerCostWindow, kRefresh60 / 5);
    EXPECT_EQ(d.divisor(), 2);
    frames.Present(kFramesPerCostWindow, kRefresh60 / 5);
    EXPECT_EQ(d.divisor(), 1);
}

TEST(FrameRateDivisor, StartingAgainForgetsTheCost) {
    FrameRateDivisor d;
    d.Start(kRefresh60, 60);
    CostlyFrames frames(d);
    frames.Present(kFramesPerCostWindow + 1, kRefresh60);
    d.Start(kRefresh60, 60);
    EXPECT_EQ(d.divisor(), 1);
    frames.Present(kFramesPerCostWindow, kRefresh60 / 10);
    EXPECT_EQ(d.divisor(), 1);
}

// Frames drawn ahead on the pacer's grid: `drawing(i)` is the wall-clock
// time frame i's drawing takes; its processor time a whole refresh. The
// moments the frames are presented.
template <class Drawing>
std::vector<std::int64_t> PresentOnTheGrid(FramePacer& pacer, int count, Drawing drawing) {
    std::int64_t now = 5 * kMicro, processor = 0;
    pacer.Start(kMicro, 60, now);
    std::vector<std::int64_t> presented;
    for (int i = 0; i < count; ++i) {
        now += pacer.TicksUntilDrawing(now);
        pacer.Drawn(drawing(i));
        now = std::max(now + drawing(i), pacer.due());
        presented.push_back(now);
        processor += kRefresh60;
        pacer.Presented(now, processor);
    }
    return presented;
}

// Evenly spaced at two refreshes, from the frame at which the divisor rose;
// only the first frame, with no drawing known yet, is presented once drawn.
TEST(FramePacer, CostlyFramesAreDueEverySecondRefreshOnAnEvenGrid) {
    FramePacer pacer;
    const auto presented = PresentOnTheGrid(pacer, 3 * kFramesPerCostWindow, [](int) { return 3000; });
    EXPECT_EQ(pacer.divisor(), 2);
    EXPECT_EQ(presented[1] - presented[0], kRefresh60 - 3000);
    for (std::size_t i = 2; i < presented.size(); ++i) {
        const std::int64_t gap = presented[i] - presented[i - 1];
        EXPECT_EQ(gap, i <= kFramesPerCostWindow ? kRefresh60 : 2 * kRefresh60) << "frame " << i;
    }
}

// Drawings that wander between 4 and 14 ms: once the longest has been seen,
// every frame is finished ahead and presented on the beat.
TEST(FramePacer, DrawingsOfWanderingLengthArePresentedOnTheBeat) {
    FramePacer pacer;
    const std::int64_t lengths[] = {4000, 14000, 6000, 9000};
    const auto presented = PresentOnTheGrid(pacer, 20, [&](int i) { return lengths[i % 4]; });
    for (std::size_t i = 3; i < presented.size(); ++i)
        EXPECT_EQ(presented[i] - presented[i - 1], kRefresh60) << "frame " << i;
}

// The lead is the longest of the last drawings and a margin of 2 ms, never
// more than the interval, and forgets a long drawing after enough others.
TEST(DrawLead, LongestRecentDrawingWithAMarginAndNoMoreThanTheInterval) {
    velmoran::DrawLead lead;
    lead.Start(kMicro);
    EXPECT_EQ(lead.Lead(kRefresh60), 2000);
    lead.Drawn(9000);
    lead.Drawn(3000);
    EXPECT_EQ(lead.Lead(kRefresh60), 11000);
    EXPECT_EQ(lead.Lead(8000), 8000);
    for (int i = 0; i < velmoran::kDrawingsRemembered - 1; ++i) lead.Drawn(3000);
    EXPECT_EQ(lead.Lead(kRefresh60), 5000);
}

}  // namespace
