#include "saver/win32/saver_forms.h"

#include "saver/media_control.h"
#include "saver/music_player.h"
#include "saver/run_form.h"
#include "saver/win32/preview_form.h"

namespace velmoran {

void Win32SaverForms::RunPreview(std::uint32_t hostWindow) { RunPreviewForm(hostWindow); }

// Hand-over point of the settings dialog, which is not built yet.
void Win32SaverForms::RunSettingsDialog(MusicSettings&) {}

void Win32SaverForms::RunShow(const MusicSettings& settings, bool pointerHidden) {
    const auto media = CreateMediaControl();
    MusicPlayer music(*media, settings);
    RunShowForm(settings, music, pointerHidden);
}

}  // namespace velmoran
