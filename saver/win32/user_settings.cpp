// The user's own place for the settings file on Windows: a folder in the
// roaming application data.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "saver/backend.h"
#include "saver/win32/short_path.h"
#include "saver/win32/wide_text.h"

namespace velmoran {

namespace {

constexpr const char* kFolderName = "Velmoran";

}  // namespace

// %APPDATA%\Velmoran as system text: the ANSI form of the path, or its short
// form where the user's name has characters the ANSI code page lacks.
std::string UserSettingsFolder() {
    wchar_t appData[MAX_PATH];
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK) return {};
    std::optional<std::string> folder = ToAnsi(appData);
    if (!folder) folder = ToAnsi(ShortForm(appData));
    if (!folder || folder->empty()) return {};
    if (folder->back() != '\\') *folder += '\\';
    return *folder + kFolderName;
}

// Whether a file can be made there, tried with one that goes again as it is
// closed: the folder's access rights are the system's to weigh.
bool FolderWritable(const std::string& folder) {
    if (folder.empty()) return false;
    const std::wstring probe = WidenAnsi(folder) + L"\\Velmoran-" + std::to_wstring(GetCurrentProcessId()) +
                               L"-" + std::to_wstring(GetTickCount()) + L".tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace velmoran
