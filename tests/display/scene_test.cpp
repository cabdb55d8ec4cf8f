#include "viewer/scene.h"

#include "display/gl_test.h"
#include "support/bitmap_samples.h"

#include <array>
#include <cstdlib>

namespace {

using velmoran::Scene;
using namespace velmoran::testing;

// Four pure colours in upright stripes: every stripe runs from pole to pole
// of the sphere, so all four meet around the pole the camera first faces.
constexpr std::array<std::array<std::uint8_t, 3>, 4> kStripeRgb{{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}}};

std::string WriteStripes() {
    BitmapSample s;
    s.width = 64;
    s.height = 64;
    std::vector<std::uint8_t> bytes = MakeBitmap(s);
    Repaint(bytes, 64, 64, [](std::int32_t x, std::int32_t) {
        const auto& rgb = kStripeRgb[x / 16];
        return std::array<std::uint8_t, 3>{rgb[2], rgb[1], rgb[0]};
    });
    return WriteTempFile("scene_stripes.bmp", bytes);
}

int CountColour(const std::vector<std::uint8_t>& rgb, const std::array<std::uint8_t, 3>& want) {
    int n = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
        bool near = true;
        for (int c = 0; c < 3; ++c) near = near && std::abs(rgb[i + c] - want[c]) <= 8;
        n += near;
    }
    return n;
}

std::vector<std::uint8_t> Frame(Scene& scene, float step) {
    scene.DrawScene(step);
    return ReadBackBuffer();
}

double ProjectionAspect() {
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    return m[5] / m[0];
}

class SceneTest : public GlTest {};

TEST_F(SceneTest, ShowsThePictureOnTheInsideOfTheSphere) {
    Scene scene(WriteStripes());
    ASSERT_TRUE(scene.InitScene(kWindowWidth, kWindowHeight));
    std::vector<std::uint8_t> frame = Frame(scene, 0.0f);
    for (const auto& rgb : kStripeRgb)
        EXPECT_GT(CountColour(frame, rgb), kWindowWidth * kWindowHeight / 50)
            << "colour " << int(rgb[0]) << "," << int(rgb[1]) << "," << int(rgb[2]);
}

TEST_F(SceneTest, WithoutAPictureTheWholeViewIsWhite) {
    Scene scene(::testing::TempDir() + "no_such_capture.bmp");
    ASSERT_TRUE(scene.InitScene(kWindowWidth, kWindowHeight));
    EXPECT_EQ(CountColour(Frame(scene, 0.0f), {255, 255, 255}), kWindowWidth * kWindowHeight);
    EXPECT_EQ(CountColour(Frame(scene, 5.0f), {255, 255, 255}), kWindowWidth * kWindowHeight);
}

TEST_F(SceneTest, FirstFrameIsDrawnUnturnedWhateverItsStep) {
    std::string stripes = WriteStripes();
    Scene still(stripes), late(stripes);
    still.InitScene(kWindowWidth, kWindowHeight);
    std::vector<std::uint8_t> unturned = Frame(still, 0.0f);
    late.InitScene(kWindowWidth, kWindowHeight);
    EXPECT_EQ(Frame(late, 4.0f), unturned);
    EXPECT_DOUBLE_EQ(late.angles().x, 40.0);
    EXPECT_NE(Frame(late, 0.0f), unturned) << "the second frame shows the 40 degree turn";
}

TEST_F(SceneTest, ResizeMovesTheViewportButKeepsTheAspectRatio) {
    Scene scene(::testing::TempDir() + "no_such_capture.bmp");
    scene.InitScene(1024, 768);
    scene.ResizeViewport(300, 600);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 300);
    EXPECT_EQ(viewport[3], 600);
    EXPECT_NEAR(ProjectionAspect(), 1024.0 / 768.0, 1e-6);  // the matrix is single precision
}

TEST_F(SceneTest, HeightZeroGivesAViewportOfOne) {
    Scene scene(::testing::TempDir() + "no_such_capture.bmp");
    scene.ResizeViewport(640, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
}

}  // namespace
