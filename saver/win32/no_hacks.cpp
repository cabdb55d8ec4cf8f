// Windows starts its screen savers with its own switches only: the saver
// takes on no display mode of XScreenSaver there, and "-root" ends it
// silently as any switch it does not know.
#include "saver/backend.h"

namespace velmoran {

bool RunsHacks() { return false; }

std::optional<WindowOnScreen> MeasureWindow(std::uint32_t) { return std::nullopt; }

}  // namespace velmoran
