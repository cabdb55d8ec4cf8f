#include "viewer/bitmap_texture.h"

#include "viewer/bitmap_file.h"
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

bool BitmapTexture::LoadBitmap(const std::string& fileName) {
    Create(fileName);
    std::optional<BitmapImage> image = ReadBitmapFile(fileName);
    if (!image) return false;
    width_ = image->layout.width;
    height_ = image->layout.height;

    // Rows are padded to 4 bytes and follow each other without gaps.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    // GLU scales to power-of-two sizes itself; a picture it refuses (negative
    // height) leaves the texture without an image, which draws as plain white.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width_, height_, GL_BGR_EXT, GL_UNSIGNED_BYTE,
                      image->pixels.data());
    return true;
}

}  // namespace velmoran
