// The INI file through the system's private-profile calls.
#pragma once

#include "saver/settings/profile_store.h"

namespace velmoran {

class PrivateProfileStore final : public ProfileStore {
public:
    // At most 255 bytes come back, the buffer being 256 bytes long.
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& file) override;
    bool Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file) override;
};

}  // namespace velmoran
