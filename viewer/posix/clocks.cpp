#include "viewer/posix/clocks.h"

#include "viewer/posix/end_signals.h"

#include <cerrno>

namespace velmoran {

std::int64_t NanosecondsOf(clockid_t clock) {
    timespec now = {};
    clock_gettime(clock, &now);
    return static_cast<std::int64_t>(now.tv_sec) * kNanoseconds + now.tv_nsec;
}

void SleepUntilMonotonic(std::int64_t nanoseconds) {
    if (nanoseconds <= 0) return;
    const timespec until = {static_cast<time_t>(nanoseconds / kNanoseconds),
                            static_cast<long>(nanoseconds % kNanoseconds)};
    // An absolute time, so a signal's interruption resumes without drifting;
    // an end signal cuts the wait short, the frame it waits for being the
    // last.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR && !EndSignalled()) {
    }
}

}  // namespace velmoran
