// The saver's title, the caption of its message boxes.
#pragma once

namespace velmoran {

inline constexpr const char* kProgramTitle = "Velmoran";

}  // namespace velmoran
