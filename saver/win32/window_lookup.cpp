// Finding a top-level window by its title.
#include <windows.h>

#include "saver/backend.h"
#include "saver/win32/wide_text.h"

namespace velmoran {

// FindWindow sees hidden top-level windows too.
bool WindowExists(const std::string& title) { return FindWindowW(nullptr, Widen(title).c_str()) != nullptr; }

}  // namespace velmoran
