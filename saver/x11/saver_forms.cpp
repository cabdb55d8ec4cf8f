#include "saver/x11/saver_forms.h"

#include "saver/media_control.h"
#include "saver/music_player.h"
#include "saver/run_form.h"
#include "saver/x11/preview_form.h"

namespace velmoran {

void X11SaverForms::RunPreview(std::uint32_t hostWindow) { RunPreviewForm(hostWindow); }

// Hand-over point of the settings dialog, which is not built yet.
void X11SaverForms::RunSettingsDialog(MusicSettings&) {}

void X11SaverForms::RunShow(const MusicSettings& settings, bool pointerHidden) {
    const auto media = CreateMediaControl();
    MusicPlayer music(*media, settings);
    RunShowForm(settings, music, pointerHidden);
}

}  // namespace velmoran
