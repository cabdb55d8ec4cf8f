// Finding top-level windows by their title.
#include <windows.h>

#include "saver/win32/win32_display_driver.h"
#include "saver/win32/wide_text.h"

namespace velmoran::win32 {

// FindWindowEx goes through the top-level windows, hidden ones included, one
// after another.
std::vector<std::optional<ProcessId>> ProcessesOfWindowsTitled(const std::string& title) {
    const std::wstring name = Widen(title);
    std::vector<std::optional<ProcessId>> processes;
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, name.c_str()); window;
         window = FindWindowExW(nullptr, window, nullptr, name.c_str())) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        processes.push_back(process ? std::optional<ProcessId>(process) : std::nullopt);
    }
    return processes;
}

}  // namespace velmoran::win32
