#include "saver/settings/ini_file_store.h"

#include <cerrno>
#include <cstdio>
#include <optional>

#include "saver/settings/file_replacement.h"
#include "saver/settings/ini_text.h"

namespace velmoran {

namespace {

// The file's bytes; empty for a missing file, nothing when it exists but
// cannot be read (so that a write does not replace what it could not see).
std::optional<std::string> ReadBytes(const std::string& file) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) {
        if (errno == ENOENT) return std::string();
        return std::nullopt;
    }
    std::string bytes;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, got);
    const bool failed = std::ferror(in);
    std::fclose(in);
    if (failed) return std::nullopt;
    return bytes;
}

}  // namespace

std::string IniFileStore::Read(const std::string& section, const std::string& key,
                               const std::string& file) {
    const std::optional<std::string> text = ReadBytes(file);
    return text ? IniValue(*text, section, key) : std::string();
}

bool IniFileStore::Write(const std::string& section, const std::string& key, const std::string& value,
                         const std::string& file) {
    const std::optional<std::string> text = ReadBytes(file);
    return text && ReplaceFileContents(file, IniWithValue(*text, section, key, value));
}

}  // namespace velmoran
