// The music runner of a real show: one thread that runs the posted calls and
// the timers' ticks one after another. A tick that falls due while a call
// still runs waits for it, and ticks missed meanwhile are not made up, as a
// busy window's timer messages are not.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "saver/music/music_runner.h"

namespace velmoran {

class MusicThread final : public MusicRunner {
public:
    MusicThread();
    // Waits for the call that runs, if any; the calls still queued are dropped.
    ~MusicThread() override;
    MusicThread(const MusicThread&) = delete;
    MusicThread& operator=(const MusicThread&) = delete;

    void Post(std::function<void()> call) override;
    void SetTimer(ShowTimer timer, std::function<void()> tick) override;
    bool Finish(std::chrono::milliseconds timeout) override;

    // For the end of a show: when a call still runs - a media call that never
    // returned - the program ends at once. Waiting for it would hold the end,
    // and leaving it to return into a player that is gone is unsafe.
    void EndProgramIfBusy();

private:
    using Clock = std::chrono::steady_clock;
    struct Timer {
        std::function<void()> tick;
        Clock::duration interval{};
        Clock::time_point due{};
    };

    void Loop();
    // The next call to run, a due tick included; empty when there is none yet.
    std::function<void()> NextCall(Clock::time_point now);
    Clock::time_point NextDue() const;

    std::mutex mutex_;
    std::condition_variable wake_;  // a call posted, a timer changed, the end
    std::condition_variable idle_;  // nothing queued and nothing running
    std::deque<std::function<void()>> calls_;
    Timer timers_[2];  // Mp3, Cd
    bool running_ = false;
    bool quit_ = false;
    std::thread thread_;  // last: starts once everything above exists
};

}  // namespace velmoran
