#include "saver/settings/ini_file_store.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>

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

bool WriteBytes(const std::string& file, const std::string& bytes) {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool flushed = std::fflush(out) == 0;
    return std::fclose(out) == 0 && written && flushed;
}

// Puts the new file in the old one's place, keeping the old one's
// permissions.
bool Replace(const std::string& temporary, const std::string& file) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status old = fs::status(file, error);
    if (fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
    fs::rename(temporary, file, error);
    return !error;
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
    if (!text) return false;
    const std::string temporary = file + ".tmp";
    if (WriteBytes(temporary, IniWithValue(*text, section, key, value)) && Replace(temporary, file))
        return true;
    std::remove(temporary.c_str());
    return false;
}

}  // namespace velmoran
