#include "saver/win32/saver_forms.h"

#include "saver/music/media_control.h"
#include "saver/music/music_player.h"
#include "saver/music/music_thread.h"
#include "saver/show/run_form.h"
#include "saver/win32/preview_form.h"
#include <windows.h>
#include <ole2.h>

#include "saver/settings/paths.h"
#include "saver/settings/profile_store.h"
#include "saver/dialog/settings_dialog.h"
#include "saver/win32/program_path.h"
#include "saver/win32/settings_dialog_window.h"

namespace velmoran {

void Win32SaverForms::RunPreview(std::uint32_t hostWindow) { RunPreviewForm(hostWindow); }

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

void Win32SaverForms::RunShow(const MusicSettings& settings, bool pointerHidden) {
    const auto media = CreateMediaControl();
    MusicPlayer music(*media, settings);
    MusicThread runner;
    RunShowForm(settings, music, runner, pointerHidden);
    runner.EndProgramIfBusy();
}

}  // namespace velmoran
