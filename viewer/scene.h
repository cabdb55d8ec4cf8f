// The sphere scene: a fixed perspective camera inside a large sphere that
// carries the capture picture on its inside and turns about all three axes.
#pragma once

#include "viewer/bitmap_texture.h"
#include "viewer/picture_loader.h"
#include "viewer/sphere_angles.h"
#include "viewer/viewer_program.h"

#include <optional>
#include <string>

struct GLUquadric;

namespace velmoran {

class Scene : public Renderer {
public:
    // `bitmapPath` is the capture the scene shows. It begins to load at once,
    // on a thread of its own; InitScene waits for it and makes the texture.
    explicit Scene(std::string bitmapPath) : bitmapPath_(std::move(bitmapPath)) { loader_.emplace(bitmapPath_); }

    // Sets the viewport (a height of 0 counts as 1); the projection stays.
    void ResizeViewport(int width, int height) override;
    // Camera, texture, texturing, the sphere's geometry. Always true.
    bool InitScene(int width, int height) override;
    // Draws one frame at the current angles, then turns them by `frameStep`.
    void DrawScene(float frameStep) override;

    const SphereAngles& angles() const { return angles_; }
    const BitmapTexture& texture() const { return texture_; }

private:
    void CompileSphere();
    void DrawSphere();

    std::string bitmapPath_;
    std::optional<PictureLoader> loader_;  // until InitScene takes the picture
    BitmapTexture texture_;
    GLUquadric* quadric_ = nullptr;
    unsigned sphereList_ = 0;  // the sphere compiled, where the GL had room for it
    SphereAngles angles_;
    unsigned clearMask_ = 0;  // the buffers a frame clears first
};

}  // namespace velmoran
