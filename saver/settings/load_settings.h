// Filling the music settings from Velmoran.ini beside the program.
#pragma once

#include <string>

#include "saver/settings/profile_store.h"
#include "saver/settings/settings.h"

namespace velmoran {

// The settings file of a program in this folder.
std::string SettingsFilePath(const std::string& programFolder);

// Reads the three keys. Numbers may carry blanks, a sign and a fraction and
// are rounded down; text that is no number or does not fit 16 bits gives 0.
// A music file that does not exist is dropped, and with it the music-file
// kind. BgmFolder is the music file's folder, or the program's without one.
MusicSettings LoadSettings(ProfileStore& store, const std::string& programFolder);

}  // namespace velmoran
