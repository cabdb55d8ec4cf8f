// The system's file-open dialog, for the settings dialog's "..." button.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "saver/dialog/settings_dialog_view.h"

namespace velmoran {

// The chosen file's path in the ANSI code page the settings are kept in
// (the start folder is read in it too); nothing when the user cancelled,
// the dialog failed (a path longer than its 255-character buffer among
// them), or the path holds a character that code page lacks.
std::optional<std::string> ChooseFileToOpen(HWND owner, const FileChooserRequest& request);

}  // namespace velmoran
