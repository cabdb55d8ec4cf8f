#include "saver/dialog/run_dialog.h"

#include "saver/backend.h"

namespace velmoran {

void RunSettingsDialogForm(MusicSettings& settings, const SaverPlaces& places) {
    SettingsDialogWindow window;
    SettingsDialog dialog(window, settings, SystemProfileStore(), places);
    window.Run(dialog);
}

}  // namespace velmoran
