#include "saver/win32/saver_forms.h"

#include <windows.h>
#include <ole2.h>

#include "saver/paths.h"
#include "saver/profile_store.h"
#include "saver/settings_dialog.h"
#include "saver/win32/program_path.h"
#include "saver/win32/settings_dialog_window.h"

namespace velmoran {

// Hand-over point of the preview form, which is not built yet.
void Win32SaverForms::RunPreview(std::uint32_t) {}

// OLE serves the file-open dialog, the shell's "open" and the picture loader.
void Win32SaverForms::RunSettingsDialog(MusicSettings& settings) {
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    {
        Win32SettingsDialogView view;
        SettingsDialog dialog(view, settings, SystemProfileStore(), ProgramFolderOf(ProgramPath()));
        view.Run(dialog);
    }
    if (ole) OleUninitialize();
}

// Hand-over point of the show's run form, which is not built yet.
void Win32SaverForms::RunShow(const MusicSettings&, bool) {}

}  // namespace velmoran
