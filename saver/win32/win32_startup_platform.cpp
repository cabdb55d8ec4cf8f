#include "saver/win32/win32_startup_platform.h"

#include <windows.h>

#include "saver/settings/paths.h"
#include "saver/win32/message_box.h"
#include "saver/pointer.h"
#include "saver/win32/program_path.h"

namespace velmoran {

bool Win32StartupPlatform::WindowExists(const std::string& title) {
    return FindWindowA(nullptr, title.c_str()) != nullptr;
}

std::string Win32StartupPlatform::ProgramFolder() { return ProgramFolderOf(ProgramPath()); }

ProfileStore& Win32StartupPlatform::Profiles() { return SystemProfileStore(); }

void Win32StartupPlatform::HidePointer() { velmoran::HidePointer(); }

void Win32StartupPlatform::ShowMessage(const std::string& text, const std::string& caption) {
    ShowMessageBox(text, caption);
}

}  // namespace velmoran
