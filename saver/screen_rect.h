// A window's rectangle in screen pixels.
#pragma once

#include <cstdint>

namespace velmoran {

// Right and bottom lie just outside the rectangle.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

}  // namespace velmoran
