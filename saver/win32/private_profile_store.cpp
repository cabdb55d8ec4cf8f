// The settings file through the system's private-profile calls, which read
// and write its keys as the exact bytes given (the ANSI calls).
#include <windows.h>

#include <filesystem>

#include "common/safe_files.h"
#include "saver/backend.h"

namespace velmoran {

namespace {

class PrivateProfileStore final : public ProfileStore {
public:
    // At most 255 bytes come back, the buffer being 256 bytes long.
    std::string Read(const std::string& section, const std::string& key, const std::string& file) override {
        char buffer[kIniValueLimit + 1] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, file.c_str());
        return buffer;
    }

    // The calls make the file but not its folder: the folder of the user's
    // own settings is made here the first time.
    bool Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file) override {
        CreatePrivateFolders(SystemPath(file).parent_path());
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
    }
};

}  // namespace

ProfileStore& SystemProfileStore() {
    static PrivateProfileStore store;
    return store;
}

}  // namespace velmoran
