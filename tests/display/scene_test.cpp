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

// A frame drawn the way every frame was drawn before the scene learned to
// skip work: both buffers cleared to black, the depth test on, and the sphere
// handed to the GL vertex by vertex, normals and all, at the scene's turn.
std::vector<std::uint8_t> ReferenceFrame(const Scene& scene) {
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotatef(static_cast<float>(scene.angles().x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(scene.angles().y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(scene.angles().z), 0.0f, 0.0f, 1.0f);
    scene.texture().Bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricTexture(quadric, GL_TRUE);
    gluSphere(quadric, 4.0, 64, 64);
    gluDeleteQuadric(quadric);
    glPopMatrix();
    glDisable(GL_DEPTH_TEST);
    return ReadBackBuffer();
}

// A frame drawn over a back buffer left magenta, with depths that would
// reject every fragment a depth test let through.
std::vector<std::uint8_t> FrameOverLeftovers(Scene& scene, float step) {
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClearDepth(0.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    return Frame(scene, step);
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

TEST_F(SceneTest, FramesAreThePixelsOfTheSphereDrawnInFullAtEveryShapeAndTurn) {
    // Projections from upright to far wider than any screen: up to about
    // 6.5 : 1 the sphere fills the view, beyond it black corners remain.
    std::string stripes = WriteStripes();
    for (double aspect = 0.2; aspect < 9.0; aspect += 0.15) {
        Scene scene(stripes);
        scene.InitScene(static_cast<int>(aspect * 400), 400);
        scene.ResizeViewport(kWindowWidth, kWindowHeight);
        for (float step : {0.0f, 2.5f, 7.25f, 13.0f, 31.5f}) {
            const std::vector<std::uint8_t> expected = ReferenceFrame(scene);
            ASSERT_EQ(FrameOverLeftovers(scene, step), expected) << "aspect " << aspect << ", step " << step;
        }
    }
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
