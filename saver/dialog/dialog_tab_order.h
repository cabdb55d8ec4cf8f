// The settings dialog's keyboard focus order: Tab and Shift+Tab move the
// focus along the controls that take it, in their design tab order.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "saver/dialog/settings_dialog_design.h"

namespace velmoran {

// The controls that can hold the focus (picture boxes, the combo box, push
// buttons), in tab order.
std::vector<design::ControlId> TabStops();

// Where Tab (backwards: Shift+Tab) takes the focus from `from`: the next tab
// stop that canFocus accepts, round the end to the start; from none (or from
// a control that is no tab stop) the first, or with Shift+Tab the last.
// Nothing when no stop accepts.
std::optional<design::ControlId> NextTabStop(std::optional<design::ControlId> from, bool backwards,
                                             const std::function<bool(design::ControlId)>& canFocus);

}  // namespace velmoran
