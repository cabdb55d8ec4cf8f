// The viewer program as a child process of the show.
#pragma once

#include <filesystem>

namespace velmoran {

class ViewerProcess {
public:
    ViewerProcess() = default;
    ~ViewerProcess();
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    // Starts `program`, its command line the path alone, shown normally, with
    // VELMORAN_CAPTURE set to `capture` (left as it is when `capture` is
    // empty). False when it could not be started.
    bool Start(const std::filesystem::path& program, const std::filesystem::path& capture);

    // Whether the started process has ended; true when none was started.
    bool Exited() const;

private:
    void* process_ = nullptr;
};

}  // namespace velmoran
