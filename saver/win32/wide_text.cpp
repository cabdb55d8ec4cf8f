#include "saver/win32/wide_text.h"

#include <windows.h>

namespace velmoran {
namespace {

std::wstring WidenFrom(UINT codePage, std::string_view text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

std::wstring Widen(std::string_view utf8) { return WidenFrom(CP_UTF8, utf8); }

std::string Narrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(std::size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring WidenAnsi(std::string_view ansi) { return WidenFrom(CP_ACP, ansi); }

std::optional<std::string> ToAnsi(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    // A UTF-8 code page holds every character and takes neither the flag
    // nor the question.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL substituted = FALSE;
    BOOL* asked = utf8 ? nullptr : &substituted;
    const int length =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), int(wide.size()), nullptr, 0, nullptr, asked);
    if (length <= 0 || substituted) return std::nullopt;
    std::string ansi(std::size_t(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), int(wide.size()), ansi.data(), length, nullptr, asked);
    return ansi;
}

}  // namespace velmoran
