// The viewer program as a child process of the show.
#pragma once

#include <sys/types.h>

#include <filesystem>

namespace velmoran {

class ViewerProcess {
public:
    // Starts `program` with no arguments and VELMORAN_CAPTURE set to
    // `capture` (left as it is when `capture` is empty). False when it
    // could not be started.
    bool Start(const std::filesystem::path& program, const std::filesystem::path& capture);

    // Whether the started process has ended; true when none was started.
    bool Exited();

private:
    pid_t pid_ = -1;
    bool exited_ = false;
};

}  // namespace velmoran
