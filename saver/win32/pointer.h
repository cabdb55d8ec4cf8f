// Hiding the mouse pointer for a show and showing it again at its end.
#pragma once

namespace velmoran {

// The system's show-cursor count, lowered and raised by one.
void HidePointer();
void ShowPointer();

}  // namespace velmoran
