// The system's clocks in nanoseconds, as the viewer's window systems count.
#pragma once

#include <cstdint>
#include <ctime>

namespace velmoran {

inline constexpr std::int64_t kNanoseconds = 1'000'000'000;

std::int64_t NanosecondsOf(clockid_t clock);

// Sleeps until the monotonic clock reads `nanoseconds`; at once when it has,
// and no longer once an end signal has come (end_signals.h).
void SleepUntilMonotonic(std::int64_t nanoseconds);

}  // namespace velmoran
