#include "viewer/bitmap_texture.h"

#include "viewer/gl.h"

namespace velmoran {

void BitmapTexture::Release() {
    if (handle_ == 0) return;
    GLuint name = handle_ - 1;
    glDeleteTextures(1, &name);
    handle_ = 0;
}

bool BitmapTexture::Create(const std::string& fileName) {
    Release();
    fileName_ = fileName;
    GLuint name = 0;
    glGenTextures(1, &name);
    handle_ = name + 1;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    return true;
}

void BitmapTexture::Bind() const {
    glBindTexture(GL_TEXTURE_2D, handle_ - 1);
}

bool BitmapTexture::LoadBitmap(const std::string& fileName) { return Load(fileName, PreparePicture(fileName)); }

bool BitmapTexture::Load(const std::string& fileName, std::optional<PreparedPicture> picture) {
    Create(fileName);
    if (!picture) return false;
    width_ = picture->width;
    height_ = picture->height;
    // A picture that cannot become a texture (negative height) leaves the
    // texture without an image, which draws as plain white.
    Upload(picture->chain);
    return true;
}

namespace {

bool Fits(const MipLevel& level) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, 3, level.width, level.height, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, nullptr);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width != 0;
}

}  // namespace

// Levels too large for the GL are left out, the next smaller one taking the
// place of the largest, as GLU shrinks such a picture.
void BitmapTexture::Upload(const MipChain& chain) {
    std::size_t first = 0;
    while (first < chain.size() && !Fits(chain[first])) ++first;
    // Rows are padded to 4 bytes and follow each other without gaps.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    for (std::size_t i = first; i < chain.size(); ++i) {
        const MipLevel& level = chain[i];
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i - first), 3, level.width, level.height, 0, GL_BGR_EXT,
                     GL_UNSIGNED_BYTE, level.bgr.data());
    }
}

}  // namespace velmoran
