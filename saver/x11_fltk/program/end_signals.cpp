#include "saver/x11_fltk/program/end_signals.h"

#include <FL/Fl.H>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace velmoran {

namespace {

// The self-pipe: the handler writes a byte, the loop wakes on the other end.
int wakeRead = -1;
int wakeWrite = -1;
volatile std::sig_atomic_t passOnTo = 0;
volatile std::sig_atomic_t pendingEnd = 0;

}  // namespace

EndSignals::EndSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    int ends[2];
    if (wakeRead >= 0 || pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    wakeRead = ends[0];
    wakeWrite = ends[1];
    Fl::add_fd(wakeRead, FL_READ, &EndSignals::Arrived, this);
    struct sigaction action {};
    action.sa_handler = &EndSignals::Handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, &formerTerm_);
    sigaction(SIGHUP, &action, &formerHangUp_);
    installed_ = true;
}

EndSignals::~EndSignals() {
    if (!installed_) return;
    sigaction(SIGTERM, &formerTerm_, nullptr);
    sigaction(SIGHUP, &formerHangUp_, nullptr);
    Fl::remove_fd(wakeRead);
    close(wakeRead);
    close(wakeWrite);
    wakeRead = wakeWrite = -1;
    pendingEnd = 0;
}

void EndSignals::PassOnTo(pid_t process) { passOnTo = process; }

bool EndSignals::Pending() { return pendingEnd != 0; }

void EndSignals::Handle(int) {
    const int saved = errno;
    if (wakeWrite >= 0) pendingEnd = 1;
    if (const pid_t process = passOnTo; process > 0 && wakeWrite >= 0) kill(process, SIGTERM);
    const char byte = 1;
    // A full pipe already holds a wake-up; losing this one loses nothing.
    [[maybe_unused]] const ssize_t written = write(wakeWrite, &byte, 1);
    errno = saved;
}

void EndSignals::Arrived(int fd, void* data) {
    char bytes[64];
    while (read(fd, bytes, sizeof bytes) > 0) {
    }
    pendingEnd = 0;
    static_cast<EndSignals*>(data)->onSignal_();
}

}  // namespace velmoran
