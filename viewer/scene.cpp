#include "viewer/scene.h"

#include "viewer/gl.h"

#include <cmath>

namespace velmoran {

namespace {

constexpr double kFieldOfView = 55.0;
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 20.0;
constexpr double kEyeDistance = 3.0;  // from the sphere's centre, inside it
constexpr double kSphereRadius = 4.0;
constexpr int kSphereFacets = 64;     // slices and stacks

static_assert(kEyeDistance + kSphereRadius < kFarPlane, "the far plane lies beyond the whole sphere");

int AtLeastOne(int n) { return n > 0 ? n : 1; }

// Whether the sphere's inside fills the whole view of a projection of
// `aspect`. The eye is inside the sphere, so every ray from it meets the
// surface once, and the view is filled unless the near plane cuts the
// surface off at the view's corners, where it comes closest. A ray through
// the point (u, v) of the plane one unit ahead, q = u² + v² + 1, meets a
// sphere of radius r whose centre lies d ahead at the depth
// (d + sqrt(d² + (r² - d²) q)) / q. The facets lie inside the true sphere by
// at most their sagitta; the radius of the sphere inscribed in them counts.
bool SphereFillsTheView(double aspect) {
    constexpr double kPi = 3.14159265358979323846;
    const double inscribed = kSphereRadius * std::cos(kPi / kSphereFacets) * std::cos(kPi / kSphereFacets);
    const double halfHeight = std::tan(kFieldOfView / 2.0 * kPi / 180.0);
    const double halfWidth = halfHeight * aspect;
    const double q = halfWidth * halfWidth + halfHeight * halfHeight + 1.0;
    const double d = kEyeDistance;
    const double depth = (d + std::sqrt(d * d + (inscribed * inscribed - d * d) * q)) / q;
    return depth > kNearPlane;
}

}  // namespace

void Scene::ResizeViewport(int width, int height) {
    glViewport(0, 0, width, AtLeastOne(height));
}

bool Scene::InitScene(int width, int height) {
    height = AtLeastOne(height);
    glViewport(0, 0, width, height);
    const double aspect = static_cast<double>(width) / height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfView, aspect, kNearPlane, kFarPlane);
    // The projection stays for the show, and with it whether the sphere
    // paints every pixel: then the colour clear would only be overwritten.
    clearMask_ = SphereFillsTheView(aspect) ? 0 : GL_COLOR_BUFFER_BIT;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0.0, 0.0, -kEyeDistance);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    // A missing or refused picture leaves the texture empty: the sphere then
    // shows in its plain white drawing colour.
    if (loader_) {
        texture_.Load(bitmapPath_, *loader_);
        loader_.reset();
    } else {
        texture_.LoadBitmap(bitmapPath_);
    }
    glEnable(GL_TEXTURE_2D);
    // Seen from its inside the sphere is one layer deep at every pixel, so
    // the depth test would never reject anything: there is no depth to clear.
    glDisable(GL_DEPTH_TEST);
    if (!quadric_) CompileSphere();
    return true;
}

void Scene::DrawScene(float frameStep) {
    if (clearMask_) glClear(clearMask_);
    glPushMatrix();
    glRotatef(static_cast<float>(angles_.x), 1.0f, 0.0f, 0.0f);
    glRotatef(static_cast<float>(angles_.y), 0.0f, 1.0f, 0.0f);
    glRotatef(static_cast<float>(angles_.z), 0.0f, 0.0f, 1.0f);
    DrawSphere();
    // Turned after drawing: the first frame shows the sphere unturned.
    angles_.Advance(frameStep);
    glPopMatrix();
}

// The sphere's vertices never change, so the GL is handed them once, in a
// display list, instead of all of them again every frame. Lighting is off:
// normals would only be carried along.
void Scene::CompileSphere() {
    quadric_ = gluNewQuadric();
    gluQuadricTexture(quadric_, GL_TRUE);
    gluQuadricNormals(quadric_, GLU_NONE);
    sphereList_ = glGenLists(1);
    if (!sphereList_) return;
    glNewList(sphereList_, GL_COMPILE);
    gluSphere(quadric_, kSphereRadius, kSphereFacets, kSphereFacets);
    glEndList();
}

void Scene::DrawSphere() {
    texture_.Bind();
    glColor3f(1.0f, 1.0f, 1.0f);
    if (sphereList_)
        glCallList(sphereList_);
    else
        gluSphere(quadric_, kSphereRadius, kSphereFacets, kSphereFacets);
}

}  // namespace velmoran
