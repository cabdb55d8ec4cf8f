// The Windows shells, in the order they are asked.
#include "viewer/viewer_shell.h"
#include "viewer/win32/win32_shell.h"

namespace velmoran {

const ViewerShell* const kViewerShells[] = {
    &kWin32Shell,
};
const std::size_t kViewerShellCount = sizeof kViewerShells / sizeof kViewerShells[0];

}  // namespace velmoran
