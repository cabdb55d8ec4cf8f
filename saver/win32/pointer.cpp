// Hiding and showing the mouse pointer through the show-cursor count.
#include <windows.h>

#include "saver/win32/win32_display_driver.h"

namespace velmoran::win32 {

void HidePointer() { ShowCursor(FALSE); }

void ShowPointer() { ShowCursor(TRUE); }

}  // namespace velmoran::win32
