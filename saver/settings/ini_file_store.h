// The INI file store of systems without private-profile calls: reads and
// writes the file itself, with the rules of ini_text.h.
#pragma once

#include "saver/settings/profile_store.h"

namespace velmoran {

class IniFileStore final : public ProfileStore {
public:
    std::string Read(const std::string& section, const std::string& key,
                     const std::string& file) override;

    // Never leaves a half-written file (see ReplaceFileContents): a link is
    // written through to its target, a read-only file is not written, and a
    // missing folder is made.
    bool Write(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file) override;
};

}  // namespace velmoran
