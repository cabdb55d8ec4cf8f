#include "viewer/viewer_shell.h"

namespace velmoran {

int RunFirstShell(const ViewerShell* const* shells, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (shells[i]->CanRun()) return shells[i]->Run();
    return 0;
}

}  // namespace velmoran
