#include "viewer/frame_clock.h"

namespace velmoran {

void FrameClock::Start(std::int64_t frequency, std::int64_t startCount) {
    frequency_ = frequency > 0 ? frequency : 1;
    lastCount_ = startCount;
}

float FrameClock::Step(std::int64_t currentCount) {
    std::int64_t ticks = currentCount - lastCount_;
    lastCount_ = currentCount;
    return static_cast<float>(static_cast<double>(ticks) / static_cast<double>(frequency_));
}

}  // namespace velmoran
