#include "saver/win32/show_paths.h"

#include <windows.h>

#include <string>

#include "common/capture_location.h"

namespace velmoran {

namespace {

// Environment text arrives in the ANSI code page.
std::wstring FromAnsi(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

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

std::filesystem::path TemporaryFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return {};
    return ShortForm(std::wstring(buffer, length));
}

}  // namespace

std::vector<std::filesystem::path> CaptureTargets() {
    return CapturePlaces(FromAnsi(CaptureLocation()), TemporaryFolder());
}

}  // namespace velmoran
