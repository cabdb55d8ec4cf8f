// The mipmap chain the viewer builds on the processor against the one GLU's
// gluBuild2DMipmaps builds, which the viewer used before: the same sizes,
// texels within 1 of GLU's, and a first frame within 2 of the one drawn from
// GLU's chain. GLU darkens the last row of a picture it scales (the bottom
// pixels under it get no weight); that row is left out of the comparison,
// and the plain-colour case shows it mended.
#include "viewer/mip_bands.h"
#include "viewer/scene.h"

#include "display/gl_test.h"
#include "support/bitmap_samples.h"
#include "support/mip_chain_reference.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace velmoran::testing;

constexpr int kTexelBound = 1;  // per channel, against GLU's levels
constexpr int kFrameBound = 2;  // per channel, against the frame drawn from GLU's levels

// A desktop-like picture, bottom-up BGR rows padded to 4 bytes: a smooth
// gradient, hard-edged blocks and a band of noise, which between them catch
// wrong weights, shifted rows and rounding.
BitmapImage Desktop(int width, int height) {
    BitmapImage image{{width, height, PaddedRow(width) * static_cast<std::uint64_t>(height)}, {}};
    image.pixels.assign(image.layout.dataSize, 0);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &image.pixels[PaddedRow(width) * y + x * 3];
            noise = noise * 1103515245u + 12345u;
            const bool block = (x / 37 + y / 23) % 5 == 0, band = y > height / 2 && y < height / 2 + 40;
            for (int c = 0; c < 3; ++c) {
                const int smooth = (x * 255 / width + y * 255 / height * (c + 1)) % 256;
                p[c] = static_cast<std::uint8_t>(band ? noise >> (8 * c + 5) : block ? 40 * c + 30 : smooth);
            }
        }
    return image;
}

MipChain GluChain(const BitmapImage& image) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.layout.width, image.layout.height, GL_BGR_EXT, GL_UNSIGNED_BYTE,
                      image.pixels.data());
    MipChain chain;
    for (GLint level = 0;; ++level) {
        TextureLevel read = ReadBoundLevel(level);
        if (read.width == 0) break;
        chain.push_back({read.width, read.height, {read.bgr.begin(), read.bgr.end()}});
    }
    glDeleteTextures(1, &name);
    return chain;
}

struct Difference {
    int largest = 0;
    std::string where;
};

// The largest difference between two levels of the same size, rows below
// `rows` only.
Difference Compare(const MipLevel& a, const MipLevel& b, int rows) {
    Difference d;
    const std::size_t stride = PaddedRow(a.width);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < a.width * 3; ++x) {
            const int diff = std::abs(a.bgr[stride * y + x] - b.bgr[stride * y + x]);
            if (diff > d.largest) {
                d.largest = diff;
                d.where = "texel " + std::to_string(x / 3) + "," + std::to_string(y);
            }
        }
    return d;
}

struct Size {
    int width;
    int height;
};

void PrintTo(const Size& s, std::ostream* os) { *os << s.width << "x" << s.height; }

class MipChainAgainstGlu : public GlTest, public ::testing::WithParamInterface<Size> {};

TEST_P(MipChainAgainstGlu, SameSizesAndTexelsWithinOne) {
    const Size size = GetParam();
    const BitmapImage image = Desktop(size.width, size.height);
    const MipChain glu = GluChain(image);
    const std::optional<MipChain> banded = BandedMipChain(image);
    ASSERT_TRUE(banded);
    const MipChain& ours = *banded;
    ASSERT_EQ(ours.size(), glu.size());
    const bool scaled = glu[0].width != size.width || glu[0].height != size.height;
    for (std::size_t level = 0; level < glu.size(); ++level) {
        ASSERT_EQ(ours[level].width, glu[level].width) << "level " << level;
        ASSERT_EQ(ours[level].height, glu[level].height) << "level " << level;
        const int rows = scaled ? glu[level].height - 1 : glu[level].height;
        const Difference d = Compare(ours[level], glu[level], rows);
        EXPECT_LE(d.largest, kTexelBound) << "level " << level << ", " << d.where;
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, MipChainAgainstGlu,
                         ::testing::Values(Size{1280, 1024}, Size{3840, 2160}, Size{1366, 768}, Size{1920, 1080},
                                           Size{800, 600}, Size{1023, 3}, Size{512, 256}, Size{5, 7},
                                           Size{3, 1}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

class MipChainTest : public GlTest {};

TEST_F(MipChainTest, PlainColourStaysExactlyThatColourInEveryTexelOfEveryLevel) {
    for (Size size : {Size{1280, 1024}, Size{1366, 768}, Size{7, 3}}) {
        BitmapImage image{{size.width, size.height, PaddedRow(size.width) * size.height}, {}};
        image.pixels.assign(image.layout.dataSize, 0);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x) {
                std::uint8_t* p = &image.pixels[PaddedRow(size.width) * y + x * 3];
                p[0] = 201, p[1] = 37, p[2] = 254;
            }
        const std::optional<MipChain> chain = BandedMipChain(image);
        ASSERT_TRUE(chain);
        for (const auto& level : *chain)
            for (int y = 0; y < level.height; ++y)
                for (int x = 0; x < level.width; ++x) {
                    const std::uint8_t* p = &level.bgr[PaddedRow(level.width) * y + x * 3];
                    ASSERT_EQ(p[0], 201) << size.width << "x" << size.height << " level " << level.width << "x"
                                         << level.height << " texel " << x << "," << y;
                    ASSERT_EQ(p[1], 37);
                    ASSERT_EQ(p[2], 254);
                }
    }
}

TEST_F(MipChainTest, TopDownPictureGivesNoLevels) {
    BitmapImage image = Desktop(8, 4);
    image.layout.height = -4;
    const std::optional<MipChain> chain = BandedMipChain(image);
    ASSERT_TRUE(chain);
    EXPECT_TRUE(chain->empty());
}

std::vector<std::uint8_t> UnturnedFrame(velmoran::Scene& scene) {
    scene.DrawScene(0.0f);  // a step of 0 leaves the angles at 0
    return ReadBackBuffer();
}

// The first frame of a show drawn from the viewer's chain, then from GLU's
// built into the same texture.
TEST_F(MipChainTest, FirstFrameIsWithinTwoOfTheOneDrawnFromGlusChain) {
    const BitmapImage image = Desktop(1280, 1024);
    BitmapSample sample;
    sample.width = 1280;
    sample.height = 1024;
    std::vector<std::uint8_t> file = MakeBitmap(sample);
    std::copy(image.pixels.begin(), image.pixels.end(), file.end() - static_cast<std::ptrdiff_t>(image.pixels.size()));
    velmoran::Scene scene(WriteTempFile("first_frame.bmp", file));
    ASSERT_TRUE(scene.InitScene(kWindowWidth, kWindowHeight));
    const std::vector<std::uint8_t> ours = UnturnedFrame(scene);
    scene.texture().Bind();
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, 1280, 1024, GL_BGR_EXT, GL_UNSIGNED_BYTE, image.pixels.data());
    const std::vector<std::uint8_t> glus = UnturnedFrame(scene);

    // GLU's darkened last row shows through at the pole in the middle of the
    // view, where the repeating texture meets its other edge: there the
    // viewer's frame is brighter, as the picture is.
    for (int y = 0; y < kWindowHeight; ++y)
        for (int x = 0; x < kWindowWidth; ++x) {
            const bool pole = std::abs(x - kWindowWidth / 2) <= 2 && std::abs(y - kWindowHeight / 2) <= 2;
            for (int c = 0; c < 3; ++c) {
                const std::size_t i = (static_cast<std::size_t>(y) * kWindowWidth + x) * 3 + c;
                if (pole)
                    ASSERT_GE(ours[i] + kFrameBound, glus[i]) << "pixel " << x << "," << y;
                else
                    ASSERT_LE(std::abs(ours[i] - glus[i]), kFrameBound) << "pixel " << x << "," << y;
            }
        }
    EXPECT_LT(std::count(ours.begin(), ours.end(), 255), static_cast<std::ptrdiff_t>(ours.size() / 2))
        << "the frame must show the picture, not the white of an empty texture";
}

}  // namespace
