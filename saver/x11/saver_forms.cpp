#include "saver/x11/saver_forms.h"

#include "saver/x11/preview_form.h"

namespace velmoran {

void X11SaverForms::RunPreview(std::uint32_t hostWindow) { RunPreviewForm(hostWindow); }

// Hand-over point of the settings dialog, which is not built yet.
void X11SaverForms::RunSettingsDialog(MusicSettings&) {}

// Hand-over point of the show's run form, which is not built yet.
void X11SaverForms::RunShow(const MusicSettings&, bool) {}

}  // namespace velmoran
