// The sphere's rotation about its three axes, driven by elapsed time.
#pragma once

namespace velmoran {

inline constexpr double kDegreesPerSecond = 10.0;
inline constexpr double kAngleWrap = 360.0;

struct SphereAngles {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    // Turns each axis by 10 degrees per second of `frameStep`; an angle that
    // passes 360 is brought back by one turn.
    void Advance(float frameStep);
};

}  // namespace velmoran
