#include "saver/win32/message_box.h"

#include <windows.h>

#include "saver/win32/wide_text.h"

namespace velmoran {

void ShowMessageBox(const std::string& text, const std::string& caption) {
    MessageBoxW(nullptr, WideText(text).c_str(), WideText(caption).c_str(), MB_OK);
}

}  // namespace velmoran
