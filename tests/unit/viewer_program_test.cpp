#include "viewer/viewer_program.h"

#include <gtest/gtest.h>

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

    std::int64_t CounterFrequency() override { return kFrequency; }
    std::int64_t Counter() override { return now; }
    void HideCursor() override { --cursor; }
    void ShowCursor() override { ++cursor; }
    void ReleaseContext() override { calls.push_back("release"); }
    void PostQuit() override { calls.push_back("quit"); }
    void Present() override { calls.push_back("present"); }
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

TEST_F(ViewerProgramTest, EveryPaintDrawsAndPresentsOneFrameAndHidesTheCursor) {
    StartAt1024x768();
    PaintAfter(10);
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "present", "draw", "present"}));
    EXPECT_EQ(r.cursor, -2);
}

TEST_F(ViewerProgramTest, FrameStepsFollowTheClockAndTheFirstCoversTheLoading) {
    r.loadTicks = 4000;
    StartAt1024x768();
    PaintAfter(500);
    PaintAfter(250);
    PaintAfter(0);
    EXPECT_EQ(r.steps, (std::vector<float>{4.5f, 0.25f, 0.0f}));
}

TEST_F(ViewerProgramTest, EscapeHeldAtAPaintEndsTheShow) {
    StartAt1024x768();
    PaintAfter(10);
    program.OnKey(kEscapeKey, true);
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "present", "release", "quit"}));
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
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "present"}));
    EXPECT_TRUE(program.running());
}

TEST_F(ViewerProgramTest, OtherKeysDoNothing) {
    StartAt1024x768();
    for (int code : {0, 13, 32, 65, 255, 27 + 256, -1, 0x4000003A}) program.OnKey(code, true);
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "present"}));
}

TEST_F(ViewerProgramTest, ClosingTheWindowReleasesTheContextAndQuitsWithTheCursorHidden) {
    StartAt1024x768();
    PaintAfter(10);
    program.OnDestroy();
    PaintAfter(10);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"draw", "present", "release", "quit"}));
    EXPECT_EQ(r.cursor, -2);
}

TEST_F(ViewerProgramTest, FramesAreDueAtTheDisplaysRefreshRate) {
    r.refreshRate = 50;  // a frame every 20 ms
    StartAt1024x768();
    EXPECT_EQ(program.MillisecondsToNextFrame(), 0) << "the first frame is due at once";
    PaintAfter(0);
    EXPECT_EQ(program.MillisecondsToNextFrame(), 20);
    r.now += 7;
    EXPECT_EQ(program.MillisecondsToNextFrame(), 13);
    r.now += 13;
    EXPECT_EQ(program.MillisecondsToNextFrame(), 0);
}

TEST_F(ViewerProgramTest, AnUnknownRefreshRateCountsAsSixtyAndWaitsAreRoundedUp) {
    StartAt1024x768();
    PaintAfter(0);
    EXPECT_EQ(program.MillisecondsToNextFrame(), 16);  // 1000 / 60 ticks of a 1 kHz counter
    r.now += 15;
    EXPECT_EQ(program.MillisecondsToNextFrame(), 1);
}

TEST_F(ViewerProgramTest, ALateFrameKeepsTheBeatAndAVeryLateOneStartsItAfresh) {
    r.refreshRate = 50;
    StartAt1024x768();
    PaintAfter(0);
    PaintAfter(25);  // 5 ms late: the next frame is still due at 40
    EXPECT_EQ(program.MillisecondsToNextFrame(), 15);
    PaintAfter(15);
    PaintAfter(100);  // far behind: no burst of frames to catch up
    EXPECT_EQ(program.MillisecondsToNextFrame(), 0);
    PaintAfter(0);
    EXPECT_EQ(program.MillisecondsToNextFrame(), 20);
}

TEST_F(ViewerProgramTest, PacingLeavesTheTurnToTheClock) {
    r.refreshRate = 50;
    StartAt1024x768();
    PaintAfter(0);
    PaintAfter(program.MillisecondsToNextFrame());
    PaintAfter(program.MillisecondsToNextFrame() + 30);
    EXPECT_EQ(r.steps, (std::vector<float>{0.0f, 0.02f, 0.05f}));
}

TEST_F(ViewerProgramTest, FramesCostingMoreThanHalfACoreAreDueEverySecondRefresh) {
    r.refreshRate = 60;  // 16 ticks of the 1 kHz counter
    r.frameCost = 12;    // three quarters of a core at every refresh
    StartAt1024x768();
    PaintAfter(0);
    for (int i = 0; i < velmoran::kFramesPerCostWindow; ++i) {
        EXPECT_EQ(program.MillisecondsToNextFrame(), 16) << "frame " << i;
        PaintAfter(16);
    }
    EXPECT_EQ(program.MillisecondsToNextFrame(), 32);
    PaintAfter(32);
    EXPECT_EQ(program.MillisecondsToNextFrame(), 32);
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
