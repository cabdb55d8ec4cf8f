// The pointer's display count as Windows keeps it: every hide lowers it,
// every show raises it, and the pointer shows only while it is 0 or more.
// A window system whose hiding is a plain switch keeps this count to decide.
#pragma once

#include <cstdint>

namespace velmoran {

class PointerDisplayCount {
public:
    // Each returns whether the pointer shows afterwards.
    bool Hide() { return --count_ >= 0; }
    bool Show() { return ++count_ >= 0; }

private:
    // Wide enough that a hide at every frame never runs out.
    std::int64_t count_ = 0;
};

}  // namespace velmoran
