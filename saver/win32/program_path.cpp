// Where the running program lies, and paths as system text, on Windows.
#include <windows.h>

#include "saver/backend.h"
#include "saver/win32/wide_text.h"

namespace velmoran {

namespace {

// The module file name through GetModuleFileNameA or W. A name that filled
// the buffer may have been cut, so the buffer grows until it has room.
template <typename Char, typename Call>
std::basic_string<Char> ModuleFileName(Call call) {
    std::basic_string<Char> buffer(MAX_PATH, Char());
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = call(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

// In the ANSI code page, the one the private-profile calls take.
std::string ProgramPath() { return ModuleFileName<char>(GetModuleFileNameA); }

std::filesystem::path SystemPath(const std::string& text) { return WidenAnsi(text); }

// The lead bytes of the ANSI code page: 0x81-0x9F and 0xE0-0xFC in 932.
std::size_t SystemCharacterSize(unsigned char first) { return IsDBCSLeadByte(first) ? 2 : 1; }

}  // namespace velmoran
