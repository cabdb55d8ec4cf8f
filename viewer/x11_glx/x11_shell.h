// The viewer's shell on an X display (the one DISPLAY names).
#pragma once

#include "viewer/viewer_shell.h"

namespace velmoran {

extern const ViewerShell kX11Shell;

}  // namespace velmoran
