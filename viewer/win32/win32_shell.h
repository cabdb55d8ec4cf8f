// The viewer's shell on Win32, the one window system of Windows.
#pragma once

#include "viewer/viewer_shell.h"

namespace velmoran {

extern const ViewerShell kWin32Shell;

}  // namespace velmoran
