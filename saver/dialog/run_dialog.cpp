#include "saver/dialog/run_dialog.h"

#include "saver/backend.h"

namespace velmoran {

void RunSettingsDialogForm(MusicSettings& settings, const SaverPlaces& places) {
    SettingsDialogWindow window;
    SettingsDialog dialog(window, settings, SystemProfileStore(), places);
    if (!window.Exists()) return;
    window.Connect(dialog);
    dialog.Show();
    window.RunUntilClosed(dialog);
}

}  // namespace velmoran
