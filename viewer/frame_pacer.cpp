#include "viewer/frame_pacer.h"

#include <algorithm>

namespace velmoran {

void FramePacer::Start(std::int64_t frequency, int refreshRate, std::int64_t now) {
    const int rate = refreshRate > 0 ? refreshRate : kAssumedRefreshRate;
    refreshInterval_ = std::max<std::int64_t>(1, frequency / rate);
    divisor_.Start(refreshInterval_, rate);
    lead_.Start(frequency);
    due_ = now;
}

std::int64_t FramePacer::TicksUntilDrawing(std::int64_t now) const {
    return std::max<std::int64_t>(0, due_ - lead_.Lead(interval()) - now);
}

void FramePacer::Presented(std::int64_t now, std::int64_t processorTime) {
    const std::int64_t late = now - due_;
    // A new divisor spaces the next frame already, from this one's due time.
    divisor_.Presented(processorTime);
    due_ += interval();
    if (late > interval() / 4) due_ = now + interval();
}

}  // namespace velmoran
