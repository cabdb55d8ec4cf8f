#include "saver/music/music_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using velmoran::MusicThread;
using velmoran::ShowTimer;

// A gate a call waits at until the test opens it.
class Gate {
public:
    void Wait() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }
    void Open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

TEST(MusicThread, RunsTheCallsInTheirOrderOnAThreadOfItsOwn) {
    std::vector<int> order;
    std::thread::id where;
    {
        MusicThread thread;
        for (int i = 0; i < 5; ++i) thread.Post([&order, i] { order.push_back(i); });
        thread.Post([&where] { where = std::this_thread::get_id(); });
        ASSERT_TRUE(thread.Finish(10s));
    }
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_NE(where, std::this_thread::get_id());
}

TEST(MusicThread, FinishGivesUpOnACallThatDoesNotReturn) {
    Gate gate;
    MusicThread thread;
    bool after = false;
    thread.Post([&gate] { gate.Wait(); });
    thread.Post([&after] { after = true; });
    EXPECT_FALSE(thread.Finish(50ms));
    gate.Open();
    EXPECT_TRUE(thread.Finish(10s));
    EXPECT_TRUE(after);
}

TEST(MusicThread, ATimerTicksWhileOnAndNeverDuringACall) {
    MusicThread thread;
    std::atomic<int> ticks{0};
    std::atomic<bool> inCall{false}, overlapped{false};
    thread.SetTimer(ShowTimer::Cd, [&] {
        if (inCall) overlapped = true;
        ++ticks;
    });
    thread.Post([&] {
        inCall = true;
        std::this_thread::sleep_for(300ms);
        inCall = false;
    });
    const auto limit = Clock::now() + 10s;
    while (ticks < 3 && Clock::now() < limit) std::this_thread::sleep_for(10ms);
    ASSERT_GE(ticks, 3);
    EXPECT_FALSE(overlapped);

    thread.Post([&thread] { thread.SetTimer(ShowTimer::Cd, nullptr); });
    ASSERT_TRUE(thread.Finish(10s));
    const int seen = ticks;
    std::this_thread::sleep_for(500ms);  // over two intervals of the timer
    EXPECT_EQ(ticks, seen);
}

TEST(MusicThread, TicksMissedDuringALongCallAreNotMadeUp) {
    MusicThread thread;
    Gate gate;
    std::mutex mutex;
    std::vector<Clock::time_point> ticks;
    Clock::time_point released;
    thread.Post([&] { gate.Wait(); });
    thread.SetTimer(ShowTimer::Cd, [&] {
        std::lock_guard lock(mutex);
        ticks.push_back(Clock::now());
    });
    std::this_thread::sleep_for(1s);  // five intervals of the timer pass behind the call
    released = Clock::now();
    gate.Open();
    const auto limit = Clock::now() + 10s;
    for (;;) {
        {
            std::lock_guard lock(mutex);
            if (ticks.size() >= 2 || Clock::now() > limit) break;
        }
        std::this_thread::sleep_for(10ms);
    }
    thread.SetTimer(ShowTimer::Cd, nullptr);
    std::lock_guard lock(mutex);
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_GE(ticks[0], released);
    // One tick for the time missed, then the beat again.
    EXPECT_GE(ticks[1] - ticks[0], 150ms);
}

}  // namespace
