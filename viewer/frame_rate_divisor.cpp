#include "viewer/frame_rate_divisor.h"

#include <algorithm>

namespace velmoran {

namespace {

constexpr std::int64_t kHighSharePercent = 50;  // of one core: above it, frames are spaced out
constexpr std::int64_t kLowSharePercent = 40;   // below it at the smaller divisor, they close up

}  // namespace

void FrameRateDivisor::Start(std::int64_t refreshInterval, int refreshRate) {
    refreshInterval_ = std::max<std::int64_t>(1, refreshInterval);
    maxDivisor_ = std::max(1, refreshRate / kLowestFrameRate);
    divisor_ = 1;
    measuring_ = false;
    windowFrames_ = 0;
    calmWindows_ = 0;
}

bool FrameRateDivisor::Presented(std::int64_t processorTime) {
    // The window opens at a presentation, so it holds whole frames only.
    if (!measuring_) {
        measuring_ = true;
        windowStart_ = processorTime;
        return false;
    }
    if (++windowFrames_ < kFramesPerCostWindow) return false;
    const int before = divisor_;
    Decide((processorTime - windowStart_) / windowFrames_);
    windowStart_ = processorTime;
    windowFrames_ = 0;
    return divisor_ != before;
}

void FrameRateDivisor::Decide(std::int64_t costPerFrame) {
    if (Exceeds(costPerFrame, divisor_, kHighSharePercent)) {
        calmWindows_ = 0;
        while (divisor_ < maxDivisor_ && Exceeds(costPerFrame, divisor_, kHighSharePercent)) ++divisor_;
        return;
    }
    if (divisor_ == 1 || Exceeds(costPerFrame, divisor_ - 1, kLowSharePercent)) {
        calmWindows_ = 0;
        return;
    }
    if (++calmWindows_ < kCalmWindowsBeforeFalling) return;
    calmWindows_ = 0;
    --divisor_;
}

bool FrameRateDivisor::Exceeds(std::int64_t cost, int refreshes, std::int64_t percent) const {
    return cost * 100 > percent * refreshInterval_ * refreshes;
}

}  // namespace velmoran
