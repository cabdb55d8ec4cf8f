// When the next frame is due. Frames follow each other at the display's
// refresh interval on a steady grid, so a frame drawn a little late does not
// push back the ones after it; one late by more than a whole interval starts
// the grid afresh instead of being followed by a burst of catching up.
#pragma once

#include <cstdint>

namespace velmoran {

inline constexpr int kAssumedRefreshRate = 60;  // frames per second when the display does not say

class FramePacer {
public:
    // `frequency` counter ticks per second; `refreshRate` frames per second,
    // 0 or less when unknown. The first frame is due at `now`.
    void Start(std::int64_t frequency, int refreshRate, std::int64_t now);
    // Counter ticks from `now` until the next frame is due; 0 when it is due.
    std::int64_t TicksUntilDue(std::int64_t now) const;
    // A frame has just been presented, at `now`.
    void Presented(std::int64_t now);

    std::int64_t interval() const { return interval_; }

private:
    std::int64_t interval_ = 1;
    std::int64_t due_ = 0;
};

}  // namespace velmoran
