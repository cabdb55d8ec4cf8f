#include "viewer/mip_chain.h"

#include <algorithm>

namespace velmoran {

int PowerOfTwoSide(int size) {
    constexpr int kLargest = 1 << 30;  // far beyond any texture a GL takes
    int side = 1;
    for (unsigned v = static_cast<unsigned>(std::max(size, 1)); v > 1; v >>= 1) {
        if (v == 3) return side <= kLargest / 4 ? side * 4 : kLargest;
        side *= 2;
    }
    return side;
}

std::size_t LevelStride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

std::vector<LevelSize> MipLevelSizes(int width, int height) {
    if (width < 1 || height < 1) return {};
    std::vector<LevelSize> sizes{{PowerOfTwoSide(width), PowerOfTwoSide(height)}};
    while (sizes.back().width > 1 || sizes.back().height > 1)
        sizes.push_back({std::max(1, sizes.back().width / 2), std::max(1, sizes.back().height / 2)});
    return sizes;
}

void HalveRow(LevelSize above, const std::uint8_t* a, const std::uint8_t* b, std::uint8_t* out) {
    const int width = std::max(1, above.width / 2);
    if (above.width == 1) {
        for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((a[c] + b[c]) / 2);
    } else if (above.height == 1) {
        for (int x = 0; x < width * 3; x += 3)
            for (int c = 0; c < 3; ++c) out[x + c] = static_cast<std::uint8_t>((a[2 * x + c] + a[2 * x + 3 + c]) / 2);
    } else {
        for (int x = 0; x < width * 3; x += 3)
            for (int c = 0; c < 3; ++c)
                out[x + c] = static_cast<std::uint8_t>(
                    (a[2 * x + c] + a[2 * x + 3 + c] + b[2 * x + c] + b[2 * x + 3 + c] + 2) / 4);
    }
    std::fill(out + static_cast<std::size_t>(width) * 3, out + LevelStride(width), std::uint8_t{0});
}

}  // namespace velmoran
