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

    std::int64_t CounterFrequency() override { return kFrequency; }
    std::int64_t Counter() override { return now; }
    void HideCursor() override { --cursor; }
    void ShowCursor() override { ++cursor; }
    void ReleaseContext() override { calls.push_back("release"); }
    void PostQuit() override { calls.push_back("quit"); }
    void Present() override { calls.push_back("present"); }

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

TEST_F(ViewerProgramTest, ResizeAfterStartOnlyMovesTheViewport) {
    StartAt1024x768();
    program.OnResize(640, 0);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"viewport 640x0"}));
}

}  // namespace
