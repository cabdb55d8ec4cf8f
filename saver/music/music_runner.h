// Where a show's music calls run and its two music timers tick. A show runs
// them on a thread of their own (MusicThread), so that a media call that
// blocks - a drive spinning up, a device that does not answer - holds
// neither the watch for the viewer nor the end of the show.
#pragma once

#include <chrono>
#include <functional>

#include "saver/show_timers.h"

namespace velmoran {

class MusicRunner {
public:
    virtual ~MusicRunner() = default;

    // Runs call after every call posted before it; never two at once.
    virtual void Post(std::function<void()> call) = 0;

    // Switches the music timer Mp3 or Cd on with what each tick runs, or off
    // with an empty tick. Ticks run among the posted calls, in turn.
    virtual void SetTimer(ShowTimer timer, std::function<void()> tick) = 0;

    // Waits until every call posted so far has run. False when that took
    // longer than the time given.
    virtual bool Finish(std::chrono::milliseconds timeout) = 0;
};

}  // namespace velmoran
