// SIGTERM and SIGHUP, by which the session's end (or XScreenSaver, ending its
// display mode) asks the saver to end, as an event of FLTK's loop: the
// handler marks the signal's arrival, and the loop runs the end on its own
// thread. The handler also passes SIGTERM on to the viewer at once: the loop
// may be busy in a round trip to the X server (the watch walks the window
// tree), and the viewer should not wait for it to end.
#pragma once

#include <sys/types.h>

#include <csignal>
#include <functional>

namespace velmoran {

class EndSignals {
public:
    // While this exists, each of the signals runs onSignal from the loop
    // (Fl::wait) instead of ending the process. One at a time.
    explicit EndSignals(std::function<void()> onSignal);
    // Gives the signals back their former handling.
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // The process each of the signals is passed on to as SIGTERM the moment
    // it arrives, before the loop sees it; 0 for none. Set it to 0 once the
    // process has been reaped, so that its id is never signalled again.
    static void PassOnTo(pid_t process);
    // A signal has come whose end the loop has not run yet: work on the X
    // server that only the watch needs is better cut short, as it slows the
    // viewer's own end.
    static bool Pending();

private:
    static void Handle(int signal);
    static void Arrived(int fd, void* data);

    std::function<void()> onSignal_;
    struct sigaction formerTerm_ {};
    struct sigaction formerHangUp_ {};
    bool installed_ = false;
};

}  // namespace velmoran
