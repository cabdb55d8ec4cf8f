// The viewer as a child process, started with posix_spawn.
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/capture_location.h"
#include "common/host_window.h"
#include "saver/backend.h"
#include "saver/posix/surface_notices.h"
#include "saver/x11_fltk/program/end_signals.h"

extern char** environ;

namespace velmoran {

namespace {

bool Names(const char* entry, const char* variable) {
    const std::size_t length = std::strlen(variable);
    return std::strncmp(entry, variable, length) == 0 && entry[length] == '=';
}

std::string Entry(const char* variable, const std::string& value) { return std::string(variable) + "=" + value; }

bool Replaced(const char* entry, bool captureGiven) {
    return (captureGiven && Names(entry, kCaptureVariable)) || Names(entry, kHostWindowVariable) ||
           Names(entry, kSaverProcessVariable) || Names(entry, kAllOutputsVariable) ||
           Names(entry, kSurfaceNoticeVariable);
}

// This process's environment with the capture's location in place of any
// location it held; the host window (none unless given) or every output, and
// this process, for a viewer that shows where the saver says; and the pipe
// the viewer tells its surface on (-1: none).
std::vector<std::string> ViewerEnvironment(const std::filesystem::path& capture, std::uint32_t hostWindow,
                                           int noticeFd) {
    std::vector<std::string> env;
    for (char** entry = environ; entry && *entry; ++entry)
        if (!Replaced(*entry, !capture.empty())) env.emplace_back(*entry);
    if (!capture.empty()) env.push_back(Entry(kCaptureVariable, capture.string()));
    if (hostWindow == kEveryOutput) env.push_back(Entry(kAllOutputsVariable, "1"));
    if (hostWindow != 0 && hostWindow != kEveryOutput) env.push_back(Entry(kHostWindowVariable, std::to_string(hostWindow)));
    if (hostWindow != 0) env.push_back(Entry(kSaverProcessVariable, std::to_string(getpid())));
    if (noticeFd >= 0) env.push_back(Entry(kSurfaceNoticeVariable, std::to_string(noticeFd)));
    return env;
}

constexpr auto kEndPoll = std::chrono::milliseconds(5);

}  // namespace

struct ViewerProcess::Native {
    pid_t pid = -1;
    bool exited = false;
};

ViewerProcess::ViewerProcess() : native_(std::make_unique<Native>()) {}

ViewerProcess::~ViewerProcess() { EndSignals::PassOnTo(0); }

bool ViewerProcess::Start(const std::filesystem::path& program, const std::filesystem::path& capture,
                          std::uint32_t hostWindow) {
    const std::string path = program.string();
    auto env = ViewerEnvironment(capture, hostWindow, OpenSurfaceNotices());
    std::vector<char*> envp;
    for (auto& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string arg0 = path;
    char* argv[] = {arg0.data(), nullptr};
    pid_t pid;
    const bool started = posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) == 0;
    SurfaceNoticesHandedTo(started ? std::optional<ProcessId>(static_cast<ProcessId>(pid)) : std::nullopt);
    if (!started) return false;
    native_->pid = pid;
    native_->exited = false;
    // The end of the session reaches the viewer at once, whatever the
    // saver's loop is doing.
    EndSignals::PassOnTo(pid);
    return true;
}

bool ViewerProcess::Exited() {
    Native& n = *native_;
    if (n.pid <= 0 || n.exited) return true;
    int status;
    const pid_t result = waitpid(n.pid, &status, WNOHANG);
    n.exited = result == n.pid || result < 0;
    if (n.exited) EndSignals::PassOnTo(0);
    return n.exited;
}

std::optional<ProcessId> ViewerProcess::Id() const {
    if (native_->pid <= 0) return std::nullopt;
    return static_cast<ProcessId>(native_->pid);
}

// SIGTERM, which the viewer's SDL turns into its quit event; SIGKILL when it
// is still busy (loading its picture, say) after the grace.
void ViewerProcess::End() {
    Native& n = *native_;
    if (Exited()) return;
    kill(n.pid, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kViewerEndGrace;
    while (!Exited() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kEndPoll);
    if (Exited()) return;
    kill(n.pid, SIGKILL);
    int status;
    waitpid(n.pid, &status, 0);
    n.exited = true;
    EndSignals::PassOnTo(0);
}

}  // namespace velmoran
