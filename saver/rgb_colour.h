// A colour as red, green and blue bytes, and the 32-bit platform colour value
// the forms store it as (red in the lowest byte, then green, then blue).
#pragma once

#include <cstdint>

namespace velmoran {

struct RgbColour {
    std::uint8_t red = 0, green = 0, blue = 0;

    constexpr std::uint32_t Value() const {
        return std::uint32_t(red) | std::uint32_t(green) << 8 | std::uint32_t(blue) << 16;
    }
    friend constexpr bool operator==(const RgbColour&, const RgbColour&) = default;
};

inline constexpr RgbColour kBlack{0, 0, 0};
inline constexpr RgbColour kWhite{255, 255, 255};

}  // namespace velmoran
