#include "saver/x11/saver_forms.h"

namespace velmoran {

// Hand-over point of the preview form, which is not built yet.
void X11SaverForms::RunPreview(std::uint32_t) {}

// Hand-over point of the settings dialog, which is not built yet.
void X11SaverForms::RunSettingsDialog(MusicSettings&) {}

// Hand-over point of the show's run form, which is not built yet.
void X11SaverForms::RunShow(const MusicSettings&, bool) {}

}  // namespace velmoran
