#include "saver/x11/saver_forms.h"

#include "saver/music/media_control.h"
#include "saver/music/music_player.h"
#include "saver/music/music_thread.h"
#include "saver/show/run_form.h"
#include "saver/x11/preview_form.h"
#include "saver/settings/paths.h"
#include "saver/settings/profile_store.h"
#include "saver/dialog/settings_dialog.h"
#include "saver/x11_fltk/display.h"
#include "saver/x11_fltk/program_path.h"
#include "saver/x11_fltk/settings_dialog_window.h"

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
