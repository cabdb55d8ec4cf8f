// The viewer as a child process, started with posix_spawn.
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/capture_location.h"
#include "saver/backend.h"

extern char** environ;

namespace velmoran {

namespace {

// This process's environment with the capture's location in place of any
// location it held.
std::vector<std::string> ViewerEnvironment(const std::filesystem::path& capture) {
    const std::string prefix = std::string(kCaptureVariable) + "=";
    std::vector<std::string> env;
    for (char** entry = environ; entry && *entry; ++entry) {
        if (capture.empty() || std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0) env.emplace_back(*entry);
    }
    if (!capture.empty()) env.push_back(prefix + capture.string());
    return env;
}

constexpr auto kEndPoll = std::chrono::milliseconds(5);

}  // namespace

struct ViewerProcess::Native {
    pid_t pid = -1;
    bool exited = false;
};

ViewerProcess::ViewerProcess() : native_(std::make_unique<Native>()) {}

ViewerProcess::~ViewerProcess() = default;

bool ViewerProcess::Start(const std::filesystem::path& program, const std::filesystem::path& capture) {
    const std::string path = program.string();
    auto env = ViewerEnvironment(capture);
    std::vector<char*> envp;
    for (auto& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string arg0 = path;
    char* argv[] = {arg0.data(), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return false;
    native_->pid = pid;
    native_->exited = false;
    return true;
}

bool ViewerProcess::Exited() {
    Native& n = *native_;
    if (n.pid <= 0 || n.exited) return true;
    int status;
    const pid_t result = waitpid(n.pid, &status, WNOHANG);
    n.exited = result == n.pid || result < 0;
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
}

}  // namespace velmoran
