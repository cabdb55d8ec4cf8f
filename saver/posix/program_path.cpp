// Where the running program lies, and paths as system text, on Linux.
#include <unistd.h>

#include <vector>

#include "saver/settings/system_places.h"
#include "saver/settings/system_text.h"

namespace velmoran {

std::string ProgramPath() {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

// Paths are UTF-8 here, as the system's own are taken to be.
std::filesystem::path SystemPath(const std::string& text) { return text; }

std::size_t SystemCharacterSize(unsigned char first) { return Utf8CharacterSize(first); }

}  // namespace velmoran
