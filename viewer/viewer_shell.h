// A shell is one window system's way of running the viewer. The viewer's
// program asks the shells of its platform in order whether they can run here
// and runs the first that can, as a driver table does: a new shell joins by
// one line in its platform's list (viewer/shell_list_<platform>.cpp).
#pragma once

#include <cstddef>

namespace velmoran {

struct ViewerShell {
    const char* name;
    // Whether this shell's window system is here to be used; it may keep the
    // connection it opened to find out for Run.
    bool (*CanRun)();
    // Runs the viewer until its show ends; the program's exit status.
    int (*Run)();
};

// The shells of this platform, in the order they are asked.
extern const ViewerShell* const kViewerShells[];
extern const std::size_t kViewerShellCount;

// Runs the first shell that can run here; 0 when none can.
int RunFirstShell(const ViewerShell* const* shells, std::size_t count);

}  // namespace velmoran
