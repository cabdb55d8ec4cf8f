// The saver's forms on X11, as the start hands over to them.
#pragma once

#include "saver/startup/forms.h"

namespace velmoran {

class X11SaverForms final : public SaverForms {
public:
    void RunPreview(std::uint32_t hostWindow) override;
    void RunSettingsDialog(MusicSettings& settings) override;
    void RunShow(const MusicSettings& settings, bool pointerHidden) override;
};

}  // namespace velmoran
