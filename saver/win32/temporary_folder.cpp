// The capture's fallback folder on Windows: the user's temporary folder.
#include <windows.h>

#include <string>

#include "saver/backend.h"

namespace velmoran {

namespace {

// The short form of a folder's path keeps it within plain ASCII, so that a
// viewer reading VELMORAN_CAPTURE through the ANSI environment finds it
// under any user name.
std::wstring ShortForm(const std::wstring& folder) {
    const DWORD needed = GetShortPathNameW(folder.c_str(), nullptr, 0);
    if (needed == 0) return folder;
    std::wstring shortened(needed, L'\0');
    const DWORD length = GetShortPathNameW(folder.c_str(), shortened.data(), needed);
    if (length == 0 || length >= needed) return folder;
    shortened.resize(length);
    return shortened;
}

}  // namespace

// The user's temporary folder.
std::filesystem::path CaptureFallbackFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return {};
    return ShortForm(std::wstring(buffer, length));
}

}  // namespace velmoran
