#include "saver/pointer.h"

#include <windows.h>

namespace velmoran {

void HidePointer() { ShowCursor(FALSE); }

void ShowPointer() { ShowCursor(TRUE); }

}  // namespace velmoran
