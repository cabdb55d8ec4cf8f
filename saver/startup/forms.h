// The saver's forms as the start-up routine hands over to them. Each call runs
// its form until the form has gone; the saver process ends after it. A new
// start mode is a new form here.
#pragma once

#include <cstdint>

#include "saver/settings/saver_places.h"
#include "saver/settings/settings.h"

namespace velmoran {

class SaverForms {
public:
    virtual ~SaverForms() = default;

    // The still preview, embedded in the host window whose handle (a window
    // id on X11) the command line gave.
    virtual void RunPreview(std::uint32_t hostWindow) = 0;

    // The settings dialog, modal; it may change and save the settings.
    virtual void RunSettingsDialog(MusicSettings& settings, const SaverPlaces& places) = 0;

    // A show. pointerHidden: the start-up hid the pointer, and the show's
    // end shows it again. hostWindow: 0 for a show on the desktop in the
    // viewer's own window; otherwise the window (an X window id) the show
    // goes into as a display mode of XScreenSaver.
    virtual void RunShow(const MusicSettings& settings, bool pointerHidden, const SaverPlaces& places,
                         std::uint32_t hostWindow) = 0;
};

}  // namespace velmoran
