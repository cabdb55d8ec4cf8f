// SIGTERM and SIGHUP, by which the session's end (or XScreenSaver, ending its
// display mode) asks the saver to end, as an event of FLTK's loop: the
// handler only marks the signal's arrival, and the loop runs the end on its
// own thread.
#pragma once

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

private:
    static void Handle(int signal);
    static void Arrived(int fd, void* data);

    std::function<void()> onSignal_;
    struct sigaction formerTerm_ {};
    struct sigaction formerHangUp_ {};
    bool installed_ = false;
};

}  // namespace velmoran
