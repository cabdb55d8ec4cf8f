#include "saver/music/music_thread.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace velmoran {
namespace {

int TimerIndex(ShowTimer timer) { return timer == ShowTimer::Mp3 ? 0 : 1; }

}  // namespace

MusicThread::MusicThread() : thread_(&MusicThread::Loop, this) {}

MusicThread::~MusicThread() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void MusicThread::Post(std::function<void()> call) {
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    wake_.notify_all();
}

void MusicThread::SetTimer(ShowTimer timer, std::function<void()> tick) {
    {
        std::lock_guard lock(mutex_);
        Timer& t = timers_[TimerIndex(timer)];
        const bool wasOn = static_cast<bool>(t.tick);
        t.tick = std::move(tick);
        t.interval = std::chrono::milliseconds(TimerIntervalMs(timer));
        // Switching on starts the count; a tick that sets its own timer on
        // again keeps the beat.
        if (!wasOn) t.due = Clock::now() + t.interval;
    }
    wake_.notify_all();
}

bool MusicThread::Finish(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return calls_.empty() && !running_; });
}

void MusicThread::EndProgramIfBusy() {
    if (Finish(std::chrono::milliseconds(0))) return;
    std::fflush(nullptr);
    std::_Exit(0);
}

MusicThread::Clock::time_point MusicThread::NextDue() const {
    Clock::time_point next = Clock::time_point::max();
    for (const Timer& t : timers_)
        if (t.tick && t.due < next) next = t.due;
    return next;
}

std::function<void()> MusicThread::NextCall(Clock::time_point now) {
    if (!calls_.empty()) {
        auto call = std::move(calls_.front());
        calls_.pop_front();
        return call;
    }
    for (Timer& t : timers_) {
        if (!t.tick || t.due > now) continue;
        t.due += t.interval;
        if (t.due <= now) t.due = now + t.interval;  // missed ticks are not made up
        return t.tick;
    }
    return {};
}

void MusicThread::Loop() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (auto call = NextCall(Clock::now())) {
            running_ = true;
            lock.unlock();
            call();
            lock.lock();
            running_ = false;
            continue;
        }
        idle_.notify_all();
        const Clock::time_point due = NextDue();
        if (due == Clock::time_point::max())
            wake_.wait(lock);
        else
            wake_.wait_until(lock, due);
    }
    calls_.clear();
    idle_.notify_all();
}

}  // namespace velmoran
