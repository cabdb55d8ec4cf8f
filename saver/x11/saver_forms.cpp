#include "saver/x11/saver_forms.h"

#include "saver/media_control.h"
#include "saver/music_player.h"
#include "saver/music_thread.h"
#include "saver/run_form.h"
#include "saver/x11/preview_form.h"
#include "saver/paths.h"
#include "saver/profile_store.h"
#include "saver/settings_dialog.h"
#include "saver/x11/display.h"
#include "saver/x11/program_path.h"
#include "saver/x11/settings_dialog_window.h"

namespace velmoran {

void X11SaverForms::RunPreview(std::uint32_t hostWindow) { RunPreviewForm(hostWindow); }

// The dialog needs the X server; without one there is nothing to show.
void X11SaverForms::RunSettingsDialog(MusicSettings& settings) {
    if (!SaverDisplay()) return;
    X11SettingsDialogView view;
    SettingsDialog dialog(view, settings, SystemProfileStore(), ProgramFolderOf(ProgramPath()));
    view.Run(dialog);
}

void X11SaverForms::RunShow(const MusicSettings& settings, bool pointerHidden) {
    const auto media = CreateMediaControl();
    MusicPlayer music(*media, settings);
    MusicThread runner;
    RunShowForm(settings, music, runner, pointerHidden);
    runner.EndProgramIfBusy();
}

}  // namespace velmoran
