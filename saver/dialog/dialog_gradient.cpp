#include "saver/dialog/dialog_gradient.h"

#include <cmath>
#include <cstdint>

namespace velmoran {

namespace {

// 3.142 rather than pi: the band's dark ends land a touch past the edges.
constexpr double kHalfTurn = 3.142;
constexpr int kPeak = 220;
constexpr int kLift = 30;

}  // namespace

int GradientLevel(double y, double height) {
    const double r = height / kHalfTurn;
    return int(std::nearbyint(std::fabs(std::sin(y / r)) * kPeak));
}

std::vector<RgbColour> GradientLineColours(double height, DialogSurface surface) {
    std::vector<RgbColour> colours;
    if (!(height > 0) || !std::isfinite(height)) return colours;
    const long last = std::lround(std::nearbyint(height));
    colours.reserve(std::size_t(last) + 1);
    for (long y = 0; y <= last; ++y) {
        // v is at most 220, so v + 30 still fits a byte.
        const auto v = std::uint8_t(GradientLevel(double(y), height));
        const auto lifted = std::uint8_t(v + kLift);
        colours.push_back(surface == DialogSurface::Form ? RgbColour{v, v, lifted} : RgbColour{lifted, lifted, lifted});
    }
    return colours;
}

}  // namespace velmoran
