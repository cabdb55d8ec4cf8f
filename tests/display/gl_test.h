// A test fixture with a current OpenGL context, shared by a suite's tests,
// and helpers to read back what GL holds.
#pragma once

#include "display/gl_window.h"
#include "viewer/gl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace velmoran::testing {

inline constexpr int kWindowWidth = 256;
inline constexpr int kWindowHeight = 192;

class GlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_ = new GlWindow(kWindowWidth, kWindowHeight); }
    static void TearDownTestSuite() {
        delete window_;
        window_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(window_->ok()) << "no OpenGL context"; }

    static inline GlWindow* window_ = nullptr;
};

// Level `level` of the bound 2-D texture: its size and its texels as
// blue-green-red rows padded to 4 bytes; empty when the level has no image.
struct TextureLevel {
    GLint width = 0;
    GLint height = 0;
    std::vector<std::uint8_t> bgr;
};

inline TextureLevel ReadBoundLevel(GLint level) {
    TextureLevel t;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &t.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &t.height);
    if (t.width <= 0 || t.height <= 0) return t;
    t.bgr.assign((t.width * 3 + 3) / 4 * 4 * t.height, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, level, GL_BGR_EXT, GL_UNSIGNED_BYTE, t.bgr.data());
    return t;
}

// The back buffer as red-green-blue triples, bottom row first.
inline std::vector<std::uint8_t> ReadBackBuffer() {
    std::vector<std::uint8_t> rgb(kWindowWidth * kWindowHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

}  // namespace velmoran::testing
