#include "saver/settings/ini_file_store.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "common/safe_files.h"
#include "saver/settings/file_replacement.h"
#include "saver/settings/ini_text.h"

namespace velmoran {

namespace {

// The file's bytes; empty for a missing file, nothing when it exists but
// cannot be read, a named pipe among such (so that a write does not replace
// what it could not see, and start-up never waits on a pipe).
std::optional<std::string> ReadBytes(const std::string& file) {
    const File in = OpenRegularFile(file);
    if (!in) {
        std::error_code error;
        if (!std::filesystem::exists(file, error) && !error) return std::string();
        return std::nullopt;
    }
    std::string bytes;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) bytes.append(chunk, got);
    if (std::ferror(in.get())) return std::nullopt;
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
