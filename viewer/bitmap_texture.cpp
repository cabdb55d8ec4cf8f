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

bool BitmapTexture::LoadBitmap(const std::string& fileName) {
    PictureLoader loader(fileName);
    return Load(fileName, loader);
}

bool BitmapTexture::Load(const std::string& fileName, PictureLoader& loader) {
    Create(fileName);
    const std::optional<PictureSize> size = loader.Size();
    if (!size) return false;
    // A picture that cannot become a texture (negative height) has no
    // levels and leaves the texture without an image, which draws as plain
    // white; one that fails part way is refused, its levels dropped.
    if (!Upload(MipLevelSizes(size->width, size->height), loader)) {
        Create(fileName);
        return false;
    }
    width_ = size->width;
    height_ = size->height;
    return true;
}

namespace {

bool Fits(LevelSize level) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, 3, level.width, level.height, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, nullptr);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width != 0;
}

// Every level from `first` on, without its texels yet.
void DefineLevels(const std::vector<LevelSize>& sizes, std::size_t first) {
    for (std::size_t i = first; i < sizes.size(); ++i)
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i - first), 3, sizes[i].width, sizes[i].height, 0, GL_BGR_EXT,
                     GL_UNSIGNED_BYTE, nullptr);
}

}  // namespace

// Levels too large for the GL are left out, the next smaller one taking the
// place of the largest, as GLU shrinks such a picture.
bool BitmapTexture::Upload(const std::vector<LevelSize>& sizes, PictureLoader& loader) {
    std::size_t first = 0;
    while (first < sizes.size() && !Fits(sizes[first])) ++first;
    // Rows are padded to 4 bytes and follow each other without gaps.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    bool defined = false;
    while (std::optional<MipBand> band = loader.NextBand()) {
        const auto level = static_cast<std::size_t>(band->level);
        if (level < first) continue;
        if (!defined) DefineLevels(sizes, first);
        defined = true;
        glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level - first), 0, band->firstRow, band->size.width,
                        band->rows, GL_BGR_EXT, GL_UNSIGNED_BYTE, band->bgr.data());
    }
    return loader.Complete();
}

}  // namespace velmoran
