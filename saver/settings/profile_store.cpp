#include "saver/settings/profile_store.h"

#include "saver/settings/system_places.h"

namespace velmoran {

std::string IniRead(ProfileStore& store, const std::string& section, const std::string& key,
                    const std::string& file) {
    std::string value = store.Read(section, key, file);
    if (value.size() > kIniValueLimit) value.resize(kIniValueLimit);
    return value;
}

std::string IniRead(const std::string& section, const std::string& key, const std::string& file) {
    return IniRead(SystemProfileStore(), section, key, file);
}

bool IniWrite(ProfileStore& store, const std::string& section, const std::string& key,
              const std::string& value, const std::string& file) {
    return store.Write(section, key, value.substr(0, value.find_first_of("\r\n")), file);
}

bool IniWrite(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file) {
    return IniWrite(SystemProfileStore(), section, key, value, file);
}

}  // namespace velmoran
