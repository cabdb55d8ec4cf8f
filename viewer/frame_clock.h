// Seconds between paints, from the high-resolution counter.
#pragma once

#include <cstdint>

namespace velmoran {

class FrameClock {
public:
    // Takes the counter's ticks per second and the count the clock starts from.
    void Start(std::int64_t frequency, std::int64_t startCount);
    // The seconds since the previous call (since Start for the first one).
    // Taken from the whole counts, so that a step keeps its precision however
    // long the show has run; the animation uses it in single precision.
    float Step(std::int64_t currentCount);

private:
    std::int64_t frequency_ = 1;
    std::int64_t lastCount_ = 0;
};

}  // namespace velmoran
