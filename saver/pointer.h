// Hiding the mouse pointer for a show and showing it again at its end, as
// the platform counts it: Windows' show-cursor count, lowered and raised by
// one; on X11, XFixes over every screen on the saver's connection. Each back
// end supplies both; nothing happens where the platform cannot hide it.
#pragma once

namespace velmoran {

void HidePointer();
void ShowPointer();

}  // namespace velmoran
