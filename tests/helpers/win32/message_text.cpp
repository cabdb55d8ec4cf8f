// message_text <caption>: prints, in UTF-8, the text of the message box with
// that caption, so that a scenario can check what the user reads.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring Wide(const char* text) {
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    std::string text(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), static_cast<int>(text.size()), nullptr,
                        nullptr);
    text.resize(text.size() - 1);
    return text;
}

// The longest static text of the box: its message (the icon is a static too).
BOOL CALLBACK TakeLongestText(HWND child, LPARAM found) {
    wchar_t kind[32] = {};
    GetClassNameW(child, kind, 32);
    if (lstrcmpiW(kind, L"Static") != 0) return TRUE;
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    auto* longest = reinterpret_cast<std::wstring*>(found);
    if (lstrlenW(text) > static_cast<int>(longest->size())) *longest = text;
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: message_text <caption>\n");
        return 2;
    }
    HWND box = FindWindowW(L"#32770", Wide(argv[1]).c_str());
    if (!box) return 1;
    std::wstring text;
    EnumChildWindows(box, TakeLongestText, reinterpret_cast<LPARAM>(&text));
    std::fputs(Utf8(text).c_str(), stdout);
    return 0;
}
