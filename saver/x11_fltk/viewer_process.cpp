#include "saver/x11_fltk/viewer_process.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/capture_location.h"

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

}  // namespace

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
    pid_ = pid;
    exited_ = false;
    return true;
}

bool ViewerProcess::Exited() {
    if (pid_ <= 0 || exited_) return true;
    int status;
    const pid_t result = waitpid(pid_, &status, WNOHANG);
    exited_ = result == pid_ || result < 0;
    return exited_;
}

}  // namespace velmoran
