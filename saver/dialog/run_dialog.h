// The settings dialog on the desktop.
#pragma once

#include "saver/settings/saver_places.h"
#include "saver/settings/settings.h"

namespace velmoran {

// Shows the settings dialog Velmoran_P, modal, until it has closed; it may
// change the settings and save them to the settings file.
void RunSettingsDialogForm(MusicSettings& settings, const SaverPlaces& places);

}  // namespace velmoran
