#include "viewer/draw_lead.h"

#include <algorithm>

namespace velmoran {

namespace {

constexpr std::int64_t kMarginDivisor = 500;  // 2 ms of a second

}  // namespace

void DrawLead::Start(std::int64_t frequency) {
    drawings_.fill(0);
    next_ = 0;
    margin_ = std::max<std::int64_t>(1, frequency / kMarginDivisor);
}

void DrawLead::Drawn(std::int64_t ticks) {
    drawings_[next_] = std::max<std::int64_t>(0, ticks);
    next_ = (next_ + 1) % kDrawingsRemembered;
}

std::int64_t DrawLead::Lead(std::int64_t interval) const {
    const std::int64_t longest = *std::max_element(drawings_.begin(), drawings_.end());
    return std::min(interval, longest + margin_);
}

}  // namespace velmoran
