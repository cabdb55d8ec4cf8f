// The still preview on Windows.
#pragma once

#include <cstdint>

namespace velmoran {

// Embeds the preview form into the window `host` and returns when the form
// has gone. Returns at once when there is no such window.
void RunPreviewForm(std::uint32_t host);

}  // namespace velmoran
