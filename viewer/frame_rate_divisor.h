// How many display refreshes each frame stays on screen, chosen from what the
// frames cost. A frame whose processor time would keep the process busy more
// than half a core at every refresh is shown for two refreshes, then three,
// but never for so many that fewer than 30 frames a second remain. The cost
// is averaged over a window of frames, and the divisor falls back only when
// the smaller one would stay well under the half core for several windows in
// a row, so that a cost near a threshold does not flip the rate to and fro.
#pragma once

#include <cstdint>

namespace velmoran {

inline constexpr int kLowestFrameRate = 30;         // frames per second
inline constexpr int kFramesPerCostWindow = 30;     // frames averaged per decision
inline constexpr int kCalmWindowsBeforeFalling = 3;  // windows under the low mark

class FrameRateDivisor {
public:
    // `refreshInterval` in counter ticks; `refreshRate` frames per second.
    // The divisor starts at 1: every refresh.
    void Start(std::int64_t refreshInterval, int refreshRate);
    // A frame has been presented; `processorTime` is the process's whole
    // processor time so far, in counter ticks. True when the divisor changed.
    bool Presented(std::int64_t processorTime);

    int divisor() const { return divisor_; }

private:
    void Decide(std::int64_t costPerFrame);
    // Whether frames of `cost` take more than `percent` of one core when each
    // stays on screen for `refreshes` refreshes.
    bool Exceeds(std::int64_t cost, int refreshes, std::int64_t percent) const;

    std::int64_t refreshInterval_ = 1;
    int maxDivisor_ = 1;
    int divisor_ = 1;
    bool measuring_ = false;
    std::int64_t windowStart_ = 0;
    int windowFrames_ = 0;
    int calmWindows_ = 0;
};

}  // namespace velmoran
