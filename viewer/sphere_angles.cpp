#include "viewer/sphere_angles.h"

namespace velmoran {

namespace {

void Turn(double& angle, double step) {
    angle += step;
    if (angle > kAngleWrap) angle -= kAngleWrap;
}

}  // namespace

void SphereAngles::Advance(float frameStep) {
    double step = frameStep * kDegreesPerSecond;
    Turn(x, step);
    Turn(y, step);
    Turn(z, step);
}

}  // namespace velmoran
