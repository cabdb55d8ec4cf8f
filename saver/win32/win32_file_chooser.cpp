#include "saver/win32/win32_file_chooser.h"

#include <commdlg.h>

#include <vector>

#include "saver/win32/wide_text.h"

namespace velmoran {
namespace {

constexpr DWORD kBufferLength = 255;

}  // namespace

std::optional<std::string> ChooseFileToOpen(HWND owner, const FileChooserRequest& request) {
    // One filter entry: description, NUL, patterns, and the closing NUL.
    std::wstring filter = Widen(request.filterDescription);
    filter += L'\0';
    filter += Widen(request.filterPattern);
    filter += L'\0';
    const std::wstring title = Widen(request.title);
    const std::wstring folder = WidenAnsi(request.startFolder);
    std::vector<wchar_t> file(kBufferLength, L'\0');
    std::vector<wchar_t> fileTitle(kBufferLength, L'\0');

    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.hInstance = GetModuleHandleW(nullptr);
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = kBufferLength;
    chooser.lpstrFileTitle = fileTitle.data();
    chooser.nMaxFileTitle = kBufferLength;
    chooser.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    chooser.lpstrTitle = title.c_str();
    if (!GetOpenFileNameW(&chooser)) return std::nullopt;
    return ToAnsi(file.data());
}

}  // namespace velmoran
