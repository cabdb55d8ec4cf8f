#include "viewer/bitmap_texture.h"

#include "display/gl_test.h"
#include "support/bitmap_samples.h"

#include <array>

namespace {

using velmoran::BitmapTexture;
using namespace velmoran::testing;

TextureLevel Level(const BitmapTexture& texture, GLint level) {
    texture.Bind();
    return ReadBoundLevel(level);
}

class BitmapTextureTest : public GlTest {};

TEST_F(BitmapTextureTest, CreateBindsAnEmptyTextureThatRepeatsAndUsesMipmaps) {
    BitmapTexture texture;
    EXPECT_EQ(texture.handle(), 0u);
    EXPECT_TRUE(texture.Create("C:\\Velmoran.BMP"));
    ASSERT_NE(texture.handle(), 0u);
    GLint bound = 0, wrapS = 0, wrapT = 0, mag = 0, min = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    EXPECT_EQ(static_cast<GLuint>(bound), texture.handle() - 1);
    EXPECT_EQ(wrapS, GL_REPEAT);
    EXPECT_EQ(wrapT, GL_REPEAT);
    EXPECT_EQ(mag, GL_LINEAR);
    EXPECT_EQ(min, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(Level(texture, 0).width, 0);
}

class LoadCase : public GlTest, public ::testing::WithParamInterface<LoaderCase> {};

TEST_P(LoadCase, LevelZeroHoldsTheBitmapOrNothing) {
    const LoaderCase& c = GetParam();
    std::string path = WriteTempFile(std::string("texture_") + c.name + ".bmp", MakeBitmap(c.sample));
    BitmapTexture texture;
    EXPECT_EQ(texture.LoadBitmap(path), c.accepted);
    ASSERT_NE(texture.handle(), 0u);
    TextureLevel level0 = Level(texture, 0);
    if (!c.accepted) {
        EXPECT_EQ(level0.width, 0) << "a refused bitmap must leave the texture empty";
        return;
    }
    ASSERT_EQ(level0.width, c.sample.width);
    ASSERT_EQ(level0.height, c.sample.height);
    EXPECT_EQ(level0.bgr, SamplePixels(c.sample.width, c.sample.height));
    // The whole chain down to one texel is there.
    GLint lastLevel = 0;
    while ((std::max(c.sample.width, c.sample.height) >> lastLevel) > 1) ++lastLevel;
    TextureLevel last = Level(texture, lastLevel);
    EXPECT_EQ(last.width * last.height, 1);
}

INSTANTIATE_TEST_SUITE_P(Samples, LoadCase, ::testing::ValuesIn(LoaderCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BitmapTextureTest, MissingFileLeavesAnEmptyTexture) {
    BitmapTexture texture;
    EXPECT_FALSE(texture.LoadBitmap(::testing::TempDir() + "no_such_capture.bmp"));
    ASSERT_NE(texture.handle(), 0u);
    EXPECT_EQ(Level(texture, 0).width, 0);
}

TEST_F(BitmapTextureTest, TopDownBitmapCountsAsLoadedButStaysEmpty) {
    BitmapSample s;
    s.height = -4;
    BitmapTexture texture;
    EXPECT_TRUE(texture.LoadBitmap(WriteTempFile("texture_topdown.bmp", MakeBitmap(s))));
    EXPECT_EQ(Level(texture, 0).width, 0);
}

TEST_F(BitmapTextureTest, OddWidthIsUploadedWithPaddedRows) {
    // Each row one colour: rows read with another stride than the file's
    // would bring neighbouring rows' pixels or the zero padding into a row.
    // Three rows, so that GLU scales both ways (1023 x 3 to 1024 x 4); its
    // width-only scaling blackens the last row, a fault of its own.
    BitmapSample s;
    s.width = 1023;
    s.height = 3;
    s.imageSize = 0;
    std::vector<std::uint8_t> bytes = MakeBitmap(s);
    Repaint(bytes, 1023, 3, [](std::int32_t, std::int32_t y) {
        return std::array<std::uint8_t, 3>{std::uint8_t(40 + 50 * y), std::uint8_t(200 - 40 * y),
                                           std::uint8_t(100 + 30 * y)};
    });
    BitmapTexture texture;
    ASSERT_TRUE(texture.LoadBitmap(WriteTempFile("texture_1023.bmp", bytes)));
    TextureLevel level0 = Level(texture, 0);
    ASSERT_EQ(level0.width, 1024);
    ASSERT_EQ(level0.height, 4);
    for (int y = 0; y < 4; ++y)
        for (int c = 0; c < 3; ++c) {
            std::uint8_t first = level0.bgr[y * 3072 + c];
            EXPECT_GE(first, 40) << "row " << y;
            for (int x = 1; x < 1024; ++x)
                ASSERT_NEAR(level0.bgr[y * 3072 + x * 3 + c], first, 1) << "texel " << x << "," << y;
        }
}

TEST_F(BitmapTextureTest, LoadingAgainReleasesTheFirstTexture) {
    std::string good = WriteTempFile("texture_twice.bmp", MakeBitmap({}));
    BitmapTexture texture;
    ASSERT_TRUE(texture.LoadBitmap(good));
    GLuint first = texture.handle() - 1;
    EXPECT_FALSE(texture.LoadBitmap(::testing::TempDir() + "no_such_capture.bmp"));
    GLuint second = texture.handle() - 1;
    // A name handed out again proves the first was deleted; otherwise the
    // first name must no longer be a texture.
    if (second != first) {
        EXPECT_FALSE(glIsTexture(first));
    }
    EXPECT_EQ(Level(texture, 0).width, 0);
}

TEST_F(BitmapTextureTest, ReleaseDeletesTheTexture) {
    BitmapTexture texture;
    texture.LoadBitmap(WriteTempFile("texture_release.bmp", MakeBitmap({})));
    GLuint name = texture.handle() - 1;
    ASSERT_TRUE(glIsTexture(name));
    texture.Release();
    EXPECT_EQ(texture.handle(), 0u);
    EXPECT_FALSE(glIsTexture(name));
}

}  // namespace
