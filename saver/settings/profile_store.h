// Reading and writing one key of an INI file: the saver's settings helpers
// IniRead and IniWrite, over the platform's private-profile store.
#pragma once

#include <string>

namespace velmoran {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    // The key's value with the blanks around it removed; empty when the
    // file, the section or the key is missing.
    virtual std::string Read(const std::string& section, const std::string& key,
                             const std::string& file) = 0;

    // Sets the key, creating the file, its folder and the section when
    // missing; false when the file could not be written, which leaves it as
    // it was. A read-only file is not written.
    virtual bool Write(const std::string& section, const std::string& key, const std::string& value,
                       const std::string& file) = 0;
};

// Longest value a read returns, in bytes; longer values come back cut.
inline constexpr std::size_t kIniValueLimit = 255;

// The key's value, at most kIniValueLimit bytes; empty when missing.
std::string IniRead(ProfileStore& store, const std::string& section, const std::string& key,
                    const std::string& file);
// The same through the system's store (SystemProfileStore).
std::string IniRead(const std::string& section, const std::string& key, const std::string& file);

// Writes one key; false when the file could not be written. A line break in
// the value would start a new line of the file, so the value ends before the
// first one.
bool IniWrite(ProfileStore& store, const std::string& section, const std::string& key,
              const std::string& value, const std::string& file);
bool IniWrite(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file);

}  // namespace velmoran
