// The session's end reaches the viewer the moment the saver gets it, while
// the saver's loop is still busy elsewhere (walking the window tree, say):
// the handler passes SIGTERM on without waiting for the loop, and only to a
// viewer that has not been reaped, and tells the loop's window walk to stop.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "saver/x11_fltk/program/end_signals.h"

namespace velmoran {
namespace {

// A child that holds SIGTERM blocked, so that a SIGTERM sent to it stays
// pending where /proc shows it, and ends when its standard input closes.
class HeldChild {
public:
    HeldChild() {
        int ends[2];
        EXPECT_EQ(pipe(ends), 0);
        pid_ = fork();
        if (pid_ == 0) {
            sigset_t term;
            sigemptyset(&term);
            sigaddset(&term, SIGTERM);
            sigprocmask(SIG_BLOCK, &term, nullptr);
            close(ends[1]);
            char byte;
            [[maybe_unused]] const ssize_t got = read(ends[0], &byte, 1);
            _exit(0);
        }
        close(ends[0]);
        release_ = ends[1];
        // The child's signal mask is set before it reads: wait until it blocks.
        while (!Blocked()) usleep(1000);
    }
    ~HeldChild() {
        close(release_);
        int status;
        waitpid(pid_, &status, 0);
    }

    pid_t Id() const { return pid_; }
    bool TermPending() const { return (Mask("ShdPnd:") | Mask("SigPnd:")) & (1ul << (SIGTERM - 1)); }

private:
    bool Blocked() const { return Mask("SigBlk:") & (1ul << (SIGTERM - 1)); }
    unsigned long Mask(const std::string& field) const {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind(field, 0) == 0) return std::stoul(line.substr(field.size()), nullptr, 16);
        return 0;
    }

    pid_t pid_ = -1;
    int release_ = -1;
};

TEST(EndSignals, PassSigtermToTheViewerBeforeTheLoopRuns) {
    bool arrived = false;
    EndSignals signals([&] { arrived = true; });
    HeldChild viewer;
    EndSignals::PassOnTo(viewer.Id());
    raise(SIGTERM);
    EXPECT_TRUE(viewer.TermPending());
    EXPECT_FALSE(arrived);  // the loop has not run: the viewer did not wait for it
    EXPECT_TRUE(EndSignals::Pending());  // the watch's walk of the windows stops
    EndSignals::PassOnTo(0);
}

TEST(EndSignals, LeaveAReapedViewerAlone) {
    EndSignals signals([] {});
    HeldChild other;
    EndSignals::PassOnTo(other.Id());
    EndSignals::PassOnTo(0);
    EXPECT_FALSE(EndSignals::Pending());  // nothing left over from an earlier end
    raise(SIGHUP);
    EXPECT_TRUE(EndSignals::Pending());
    EXPECT_FALSE(other.TermPending());
}

}  // namespace
}  // namespace velmoran
