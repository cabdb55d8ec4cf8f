// Hiding and showing the mouse pointer through the show-cursor count.
#include <windows.h>

#include "saver/backend.h"

namespace velmoran {

void HidePointer() { ShowCursor(FALSE); }

void ShowPointer() { ShowCursor(TRUE); }

}  // namespace velmoran
