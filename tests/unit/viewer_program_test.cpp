#include "viewer/viewer_program.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

using velmoran::kEscapeKey;

constexpr std::int64_t kFrequency = 1000;

// Records what the program asks of its window system and its scene, in order.
struct Recorder : velmoran::WindowSystem, velmoran::Renderer {
    std::vector<std::string> calls;
    std::vector<float> steps;
    std::int64_t now = 0;
    std::int64_t loadTicks = 0;  // how long InitScene takes
    int cursor = 0;              // the counted cursor display
    int refreshRate = 0;         // unknown unless a test says
    std::int64_t processor = 0;  // the process's processor time
    std::int64_t frameCost = 0;  // processor time each drawing takes
    std::int64_t drawTicks = 0;  // wall-clock time each drawing takes
    bool pacesFrames = false;    // the window system says when it wants a frame
    std::vector<std::int64_t> presentedAt;

    std::int64_t CounterFrequency() override { return kFrequency; }
    std::int64_t Counter() override { return now; }
    void HideCursor() override { --cursor; }
    void ShowCursor() override { ++cursor; }
    void ReleaseContext() override { calls.push_back("release"); }
    void PostQuit() override { calls.push_back("quit"); }
    void Present() override {
        calls.push_back("present");
        presentedAt.push_back(now);
    }
    void FinishDrawing() override { calls.push_back("finish"); }
    void WaitUntil(std::int64_t count) override { now = std::max(now, count); }
    bool PacesFrames() override { return pacesFrames; }
    int RefreshRate() override { return refreshRate; }
    std::int64_t ProcessorTime() override { return processor; }

    void ResizeViewport(int w, int h) override {
        calls.push_back("viewport " + std::to_string(w) + "x" + std::to_string(h));
    }
    bool InitScene(int w, int h) override {
        calls.push_back("init " + std::to_string(w) + "x" + std::to_string(h));
        now += loadTicks;
        return true;
    }
    void DrawScene(float step) override {
        calls.push_back("draw");
        steps.push_back(step);
        processor += frameCost;
        now += drawTicks;
    }
};

class ViewerProgramTest : public ::testing::Test {
protected:
    void StartAt1024x768() {
        program.OnResize(1024, 768);
        ASSERT_TRUE(program.Start());
        r.calls.clear();
    }
    void PaintAfter(std::int64_t ticks) {
        r.now += ticks;
        program.OnPaint();
    }

    Recorder r;
    velmoran::ViewerProgram program{r, r};
};

TEST_F(ViewerProgramTest, PaintBeforeTheSceneRunsOnlyHidesTheCursor) {
    program.OnPaint();
    EXPECT_TRUE(r.calls.empty());
    EXPECT_EQ(r.cursor, -1);
    EXPECT_FALSE(program.running());
}

TEST_F(ViewerProgramTest, SceneStartsWithTheLastClientSize) {
    program.OnResize(800, 600);
    program.OnResize(1024, 768);
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(r.calls.back(), "init 1024x768");
    EXPECT_TRUE(program.running());
}

TEST_F(ViewerProgramTest, EveryPaintDrawsFinishesAndPresentsOneFrameAndHidesTheCursor) {
    StartAt1024x768();
    PaintAfter(10);
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "finish", "present", "draw", "finish", "present"}));
    EXPECT_EQ(r.cursor, -2);
}

// A paint ahead of its frame's time draws the turn of that time: the
// third frame is due 16 ticks after the second.
TEST_F(ViewerProgramTest, FrameStepsFollowTheClockAndTheFirstCoversTheLoading) {
    r.loadTicks = 4000;
    StartAt1024x768();
    PaintAfter(500);
    PaintAfter(250);
    PaintAfter(0);
    EXPECT_EQ(r.steps, (std::vector<float>{4.5f, 0.25f, 0.016f}));
    EXPECT_EQ(r.presentedAt.back(), 4766);
}

TEST_F(ViewerProgramTest, EscapeHeldAtAPaintEndsTheShow) {
    StartAt1024x768();
    PaintAfter(10);
    program.OnKey(kEscapeKey, true);
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "finish", "present", "release", "quit"}));
    EXPECT_FALSE(program.running());
    EXPECT_EQ(r.cursor, -1);  // hidden twice, shown once
    r.calls.clear();
    PaintAfter(10);  // paints until the quit arrives draw nothing
    EXPECT_TRUE(r.calls.empty());
}

TEST_F(ViewerProgramTest, EscapeReleasedBeforeThePaintIsNotNoticed) {
    StartAt1024x768();
    program.OnKey(kEscapeKey, true);
    program.OnKey(kEscapeKey, false);
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "finish", "present"}));
    EXPECT_TRUE(program.running());
}

TEST_F(ViewerProgramTest, OtherKeysDoNothing) {
    StartAt1024x768();
    for (int code : {0, 13, 32, 65, 255, 27 + 256, -1, 0x4000003A}) program.OnKey(code, true);
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "finish", "present"}));
}

TEST_F(ViewerProgramTest, ClosingTheWindowReleasesTheContextAndQuitsWithTheCursorHidden) {
    StartAt1024x768();
    PaintAfter(10);
    program.OnDestroy();
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "finish", "present", "release", "quit"}));
    EXPECT_EQ(r.cursor, -2);
}

TEST_F(ViewerProgramTest, FramesAreDueAtTheDisplaysRefreshRate) {
    r.refreshRate = 50;  // a frame every 20 ms
    StartAt1024x768();
    EXPECT_EQ(program.MillisecondsToNextFrame(), 0) << "the first frame is due at once";
    PaintAfter(0);
    // The next frame's drawing begins the margin of 2 ms ahead of its time.
    EXPECT_EQ(program.MillisecondsToNextFrame(), 18);
    r.now += 7;
    EXPECT_EQ(program.MillisecondsToNextFrame(), 11);
    r.now += 11;
    EXPECT_EQ(program.MillisecondsToNextFrame(), 0);
    PaintAfter(0);
    EXPECT_EQ(r.presentedAt, (std::vector<std::int64_t>{0, 20}));
}

TEST_F(ViewerProgramTest, AnUnknownRefreshRateCountsAsSixtyAndWaitsAreRoundedUp) {
    StartAt1024x768();
    PaintAfter(0);
    // 1000 / 60 ticks of a 1 kHz counter, less the margin of 2
    EXPECT_EQ(program.MillisecondsToNextFrame(), 14);
    r.now += 13;
    EXPECT_EQ(program.MillisecondsToNextFrame(), 1);
}

TEST_F(ViewerProgramTest, ASlightlyLateFrameKeepsTheBeatAndALateOneMovesIt) {
    r.refreshRate = 50;
    StartAt1024x768();
    PaintAfter(0);
    PaintAfter(25);  // 5 ms late, a quarter of the interval: the next frame is still due at 40
    PaintAfter(program.MillisecondsToNextFrame());
    PaintAfter(100);  // far behind: no burst of frames to catch up, no short interval
    PaintAfter(program.MillisecondsToNextFrame());
    EXPECT_EQ(r.presentedAt, (std::vector<std::int64_t>{0, 25, 40, 140, 160}));
}

TEST_F(ViewerProgramTest, AFrameIsDrawnAheadAndPresentedWhenItIsDue) {
    r.refreshRate = 50;
    r.drawTicks = 5;
    StartAt1024x768();
    for (int i = 0; i < 4; ++i) PaintAfter(program.MillisecondsToNextFrame());
    // The first frame is presented once drawn; the drawing it took makes the
    // next ones begin early enough.
    EXPECT_EQ(r.presentedAt, (std::vector<std::int64_t>{5, 20, 40, 60}));
    EXPECT_EQ(program.MillisecondsToNextFrame(), 13);  // 80 less 5 of drawing, 2 of margin
}

TEST_F(ViewerProgramTest, FramesAskedForByTheWindowSystemAreDrawnAndPresentedAtOnce) {
    r.refreshRate = 50;
    r.drawTicks = 5;
    r.pacesFrames = true;
    StartAt1024x768();
    PaintAfter(0);
    PaintAfter(3);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "present", "draw", "present"}));
    EXPECT_EQ(r.presentedAt, (std::vector<std::int64_t>{5, 13}));
    EXPECT_EQ(r.steps, (std::vector<float>{0.0f, 0.008f}));
}

TEST_F(ViewerProgramTest, PacingLeavesTheTurnToTheClock) {
    r.refreshRate = 50;
    StartAt1024x768();
    PaintAfter(0);
    PaintAfter(program.MillisecondsToNextFrame());
    PaintAfter(program.MillisecondsToNextFrame() + 30);  // 28 late
    EXPECT_EQ(r.steps, (std::vector<float>{0.0f, 0.02f, 0.048f}));
}

TEST_F(ViewerProgramTest, FramesCostingMoreThanHalfACoreAreDueEverySecondRefresh) {
    r.refreshRate = 60;  // 16 ticks of the 1 kHz counter
    r.frameCost = 12;    // three quarters of a core at every refresh
    StartAt1024x768();
    for (int i = 0; i < velmoran::kFramesPerCostWindow + 3; ++i) PaintAfter(program.MillisecondsToNextFrame());
    for (std::size_t i = 1; i < r.presentedAt.size(); ++i)
        EXPECT_EQ(r.presentedAt[i] - r.presentedAt[i - 1], i <= velmoran::kFramesPerCostWindow ? 16 : 32)
            << "frame " << i;
    EXPECT_FLOAT_EQ(r.steps.back(), 0.032f) << "the sphere still turns by the clock";
}

TEST_F(ViewerProgramTest, NoWaitingWhileTheShowIsNotRunning) {
    EXPECT_EQ(program.MillisecondsToNextFrame(), 0);
    StartAt1024x768();
    PaintAfter(0);
    program.OnKey(kEscapeKey, true);
    PaintAfter(0);
    EXPECT_EQ(program.MillisecondsToNextFrame(), 0);
}

TEST_F(ViewerProgramTest, ResizeAfterStartOnlyMovesTheViewport) {
    StartAt1024x768();
    program.OnResize(640, 0);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"viewport 640x0"}));
}

}  // namespace
