#include "viewer/scene.h"

#include "viewer/gl.h"

namespace velmoran {

namespace {

constexpr double kFieldOfView = 55.0;
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 20.0;
constexpr double kEyeDistance = 3.0;  // from the sphere's centre, inside it
constexpr double kSphereRadius = 4.0;
constexpr int kSphereFacets = 64;     // slices and stacks

int AtLeastOne(int n) { return n > 0 ? n : 1; }

}  // namespace

void Scene::ResizeViewport(int width, int height) {
    glViewport(0, 0, width, AtLeastOne(height));
}

bool Scene::InitScene(int width, int height) {
    height = AtLeastOne(height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, static_cast<double>(width) / height, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0.0, 0.0, -kEyeDistance);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    // A missing or refused picture leaves the texture empty: the sphere then
    // shows in its plain white drawing colour.
    if (loader_) {
        texture_.Load(bitmapPath_, loader_->Take());
        loader_.reset();
    } else {
        texture_.LoadBitmap(bitmapPath_);
    }
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    if (!quadric_) quadric_ = gluNewQuadric();
    gluQuadricTexture(quadric_, GL_TRUE);
    return true;
}

void Scene::DrawScene(float frameStep) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotatef(static_cast<float>(angles_.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(angles_.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(angles_.z), 0.0f, 0.0f, 1.0f);
    DrawSphere();
    // Turned after drawing: the first frame shows the sphere unturned.
    angles_.Advance(frameStep);
    glPopMatrix();
}

void Scene::DrawSphere() {
    texture_.Bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    gluSphere(quadric_, kSphereRadius, kSphereFacets, kSphereFacets);
}

}  // namespace velmoran
