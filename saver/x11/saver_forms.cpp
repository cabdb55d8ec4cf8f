#include "saver/x11/saver_forms.h"

#include "saver/paths.h"
#include "saver/profile_store.h"
#include "saver/settings_dialog.h"
#include "saver/x11/display.h"
#include "saver/x11/program_path.h"
#include "saver/x11/settings_dialog_window.h"

namespace velmoran {

// Hand-over point of the preview form, which is not built yet.
void X11SaverForms::RunPreview(std::uint32_t) {}

// The dialog needs the X server; without one there is nothing to show.
void X11SaverForms::RunSettingsDialog(MusicSettings& settings) {
    if (!SaverDisplay()) return;
    X11SettingsDialogView view;
    SettingsDialog dialog(view, settings, SystemProfileStore(), ProgramFolderOf(ProgramPath()));
    view.Run(dialog);
}

// Hand-over point of the show's run form, which is not built yet.
void X11SaverForms::RunShow(const MusicSettings&, bool) {}

}  // namespace velmoran
