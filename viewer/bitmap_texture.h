// The texture object that holds the capture picture on the graphics side.
// Every call needs the viewer's OpenGL context to be current.
#pragma once

#include "viewer/picture_loader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmoran {

class BitmapTexture {
public:
    BitmapTexture() = default;
    BitmapTexture(const BitmapTexture&) = delete;
    BitmapTexture& operator=(const BitmapTexture&) = delete;
    ~BitmapTexture() { Release(); }

    // (Re)creates an empty texture with repeat wrapping, linear magnification
    // and nearest-mipmap minification, and binds it. Always true.
    bool Create(const std::string& fileName);
    // Creates the texture and builds its mipmap chain from a 24-bit bottom-up
    // bitmap file. False when the file was unreadable or refused; the texture
    // then stays without an image, as it does when the mipmap build refuses
    // the picture (a top-down bitmap), which still counts as loaded.
    bool LoadBitmap(const std::string& fileName);
    // The same with the picture as `loader` prepares it: each band of its
    // chain is handed to GL as it comes, and freed.
    bool Load(const std::string& fileName, PictureLoader& loader);
    void Bind() const;
    void Release();

    // The OpenGL texture name plus one; 0 while the object holds none.
    std::uint32_t handle() const { return handle_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    const std::string& fileName() const { return fileName_; }

private:
    bool Upload(const std::vector<LevelSize>& sizes, PictureLoader& loader);

    std::string fileName_;
    std::uint32_t handle_ = 0;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

}  // namespace velmoran
