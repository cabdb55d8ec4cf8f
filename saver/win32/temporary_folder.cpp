// The capture's fallback folder on Windows: the user's temporary folder.
#include <windows.h>

#include <string>

#include "saver/backend.h"
#include "saver/win32/short_path.h"

namespace velmoran {

// The user's temporary folder, in its short form: the viewer reads
// VELMORAN_CAPTURE through the ANSI environment.
std::filesystem::path CaptureFallbackFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    if (length == 0 || length > MAX_PATH) return {};
    return ShortForm(std::wstring(buffer, length));
}

}  // namespace velmoran
