// Hiding the mouse pointer for a show and showing it again at its end.
#pragma once

namespace velmoran {

// Over the whole screen, through XFixes; nothing happens without it.
void HidePointer();
void ShowPointer();

}  // namespace velmoran
