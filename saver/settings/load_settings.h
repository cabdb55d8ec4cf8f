// Filling the music settings from the settings file.
#pragma once

#include <string>

#include "saver/settings/profile_store.h"
#include "saver/settings/saver_places.h"
#include "saver/settings/settings.h"

namespace velmoran {

// Reads the three keys. Numbers may carry blanks, a sign and a fraction and
// are rounded down; text that is no number or does not fit 16 bits gives 0.
// A music file that does not exist is dropped, and with it the music-file
// kind. BgmFolder is the music file's folder, or the program's without one.
MusicSettings LoadSettings(ProfileStore& store, const SaverPlaces& places);

}  // namespace velmoran
