#include "viewer/posix/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace velmoran {

namespace {

volatile std::sig_atomic_t signalled = 0;
int wakeUp[2] = {-1, -1};

void OnEndSignal(int) {
    signalled = 1;
    const char byte = 0;
    // A full pipe already wakes the loop, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = write(wakeUp[1], &byte, 1);
}

}  // namespace

bool CatchEndSignals() {
    if (pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action = {};
    action.sa_handler = &OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

int EndSignalDescriptor() { return wakeUp[0]; }

bool EndSignalled() { return signalled != 0; }

}  // namespace velmoran
