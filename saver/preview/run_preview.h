// The still preview in a window of the system's display settings.
#pragma once

#include <cstdint>

namespace velmoran {

// Embeds the preview form Velmoran_R into the host window, as the command
// line names it, and returns once the form has gone. Returns at once when
// there is no such window.
void RunPreviewForm(std::uint32_t hostWindow);

}  // namespace velmoran
