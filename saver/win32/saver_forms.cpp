#include "saver/win32/saver_forms.h"

#include "saver/win32/preview_form.h"

namespace velmoran {

void Win32SaverForms::RunPreview(std::uint32_t hostWindow) { RunPreviewForm(hostWindow); }

// Hand-over point of the settings dialog, which is not built yet.
void Win32SaverForms::RunSettingsDialog(MusicSettings&) {}

// Hand-over point of the show's run form, which is not built yet.
void Win32SaverForms::RunShow(const MusicSettings&, bool) {}

}  // namespace velmoran
