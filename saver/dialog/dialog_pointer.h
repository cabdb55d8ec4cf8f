// The settings dialog's mouse pointer: which shape shows over which part of
// the window. The views map each shape to a cursor of their platform.
#pragma once

#include <optional>

#include "saver/dialog/settings_dialog_design.h"

namespace velmoran {

// Default is the system's arrow, Hourglass the busy pointer, Link the design's
// own pointer of a control (lbl_URL's). The presenter sets the
// application-wide pointer to Default or Hourglass only.
enum class PointerShape { Default, Hourglass, Link };

// The shape over `control` (none: over no control) while the application-wide
// pointer is `application`: the hourglass over everything; otherwise a
// control's own pointer over a control the design gives one, and the
// default elsewhere.
PointerShape PointerOver(PointerShape application, std::optional<design::ControlId> control);

}  // namespace velmoran
