#include "saver/x11/x11_startup_platform.h"

#include "saver/settings/paths.h"
#include "saver/x11_fltk/display.h"
#include "saver/x11_fltk/message_box.h"
#include "saver/pointer.h"
#include "saver/x11_fltk/program_path.h"
#include "saver/x11_fltk/window_lookup.h"

namespace velmoran {

bool X11StartupPlatform::WindowExists(const std::string& title) {
    Display* display = SaverDisplay();
    return display && WindowTitled(display, title);
}

std::string X11StartupPlatform::ProgramFolder() { return ProgramFolderOf(ProgramPath()); }

ProfileStore& X11StartupPlatform::Profiles() { return SystemProfileStore(); }

void X11StartupPlatform::HidePointer() { velmoran::HidePointer(); }

void X11StartupPlatform::ShowMessage(const std::string& text, const std::string& caption) {
    ShowMessageBox(text, caption);
}

}  // namespace velmoran
