#include "saver/win32/private_profile_store.h"

#include <windows.h>

namespace velmoran {

std::string PrivateProfileStore::Read(const std::string& section, const std::string& key,
                                      const std::string& file) {
    char buffer[kIniValueLimit + 1] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
    return buffer;
}

bool PrivateProfileStore::Write(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

ProfileStore& SystemProfileStore() {
    static PrivateProfileStore store;
    return store;
}

}  // namespace velmoran
