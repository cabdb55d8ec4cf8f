// How long before a frame is due its drawing begins. A frame drawn and
// finished ahead of time is presented on the beat, however long the
// drawing took: on a software renderer that time wanders with whatever else
// the processor does, and a frame presented when its drawing ends would
// wander with it. The lead is the longest drawing of the last frames, with a
// margin for the wake-up.
#pragma once

#include <array>
#include <cstdint>

namespace velmoran {

inline constexpr int kDrawingsRemembered = 30;

class DrawLead {
public:
    // `frequency` counter ticks per second. No drawing is known yet: the
    // lead is the margin alone.
    void Start(std::int64_t frequency);
    // One frame's drawing, to its end, took `ticks`.
    void Drawn(std::int64_t ticks);
    // Ticks before a frame's due time to begin drawing it; never more than
    // `interval`, so that drawing does not begin before the previous frame
    // is on screen.
    std::int64_t Lead(std::int64_t interval) const;

private:
    std::array<std::int64_t, kDrawingsRemembered> drawings_{};
    int next_ = 0;
    std::int64_t margin_ = 0;
};

}  // namespace velmoran
