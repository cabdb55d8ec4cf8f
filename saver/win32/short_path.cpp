#include "saver/win32/short_path.h"

#include <windows.h>

namespace velmoran {

std::wstring ShortForm(const std::wstring& path) {
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring shortened(needed, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortened.data(), needed);
    if (length == 0 || length >= needed) return path;
    shortened.resize(length);
    return shortened;
}

}  // namespace velmoran
