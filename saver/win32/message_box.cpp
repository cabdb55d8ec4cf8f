// A modal message with an OK button, through the system's message box.
#include <windows.h>

#include "saver/backend.h"
#include "saver/win32/wide_text.h"

namespace velmoran {

void ShowMessage(const std::string& text, const std::string& caption) {
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(), MB_OK);
}

}  // namespace velmoran
