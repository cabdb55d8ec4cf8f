// When the next frame is due, and when its drawing begins. Frames follow
// each other at the display's refresh interval on a steady grid, so a frame
// drawn a little late does not push back the ones after it; one presented
// well behind its time moves the grid to itself instead of being followed by
// a short interval or a burst of catching up. Where frames are costly the
// grid spaces them by two or three refreshes.
#pragma once

#include "viewer/draw_lead.h"
#include "viewer/frame_rate_divisor.h"

#include <cstdint>

namespace velmoran {

inline constexpr int kAssumedRefreshRate = 60;  // frames per second when the display does not say

class FramePacer {
public:
    // `frequency` counter ticks per second; `refreshRate` frames per second,
    // 0 or less when unknown. The first frame is due at `now`.
    void Start(std::int64_t frequency, int refreshRate, std::int64_t now);
    // Counter ticks from `now` until the next frame's drawing is to begin,
    // early enough for it to be finished when the frame is due; 0 when it is.
    std::int64_t TicksUntilDrawing(std::int64_t now) const;
    // The next frame's drawing, to its end, took `ticks`.
    void Drawn(std::int64_t ticks) { lead_.Drawn(ticks); }
    // The next frame began to be presented at `now`; `processorTime` is the
    // process's whole processor time so far, in counter ticks.
    void Presented(std::int64_t now, std::int64_t processorTime);

    // When the next frame is due, in counter ticks.
    std::int64_t due() const { return due_; }
    // Counter ticks between frames: the refresh interval times the divisor.
    std::int64_t interval() const { return refreshInterval_ * divisor_.divisor(); }
    int divisor() const { return divisor_.divisor(); }

private:
    std::int64_t refreshInterval_ = 1;
    FrameRateDivisor divisor_;
    DrawLead lead_;
    std::int64_t due_ = 0;
};

}  // namespace velmoran
