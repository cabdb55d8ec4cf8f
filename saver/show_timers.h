// The show's timers, which its form and its music thread both tick: a
// header of their own, so that music/ needs nothing of show/.
#pragma once

namespace velmoran {

// The show's three timers, named after their roles.
enum class ShowTimer {
    Mp3,    // Timer1: 1000 ms, restarts an ended MP3
    Cd,     // Timer2: 200 ms, keeps the audio CD going
    Watch,  // Timer3: 500 ms, looks for the viewer's window
};

inline constexpr int TimerIntervalMs(ShowTimer timer) {
    switch (timer) {
        case ShowTimer::Mp3: return 1000;
        case ShowTimer::Cd: return 200;
        case ShowTimer::Watch: return 500;
    }
    return 500;
}

}  // namespace velmoran
