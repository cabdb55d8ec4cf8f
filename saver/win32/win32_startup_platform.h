// The saver's start on Windows.
#pragma once

#include "saver/startup/startup.h"

namespace velmoran {

class Win32StartupPlatform final : public StartupPlatform {
public:
    bool WindowExists(const std::string& title) override;
    std::string ProgramFolder() override;
    ProfileStore& Profiles() override;
    void HidePointer() override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
};

}  // namespace velmoran
