// What the settings layer takes from the system it runs on: the program's
// path, the system text's paths and characters, the settings file's store and
// the user's own folder. Each back end defines these as part of the saver's
// seam, which includes this header, so the settings code needs nothing above it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "saver/settings/profile_store.h"

namespace velmoran {

// The running program's full path as system text; empty when the system
// does not tell.
std::string ProgramPath();

// A path given as system text.
std::filesystem::path SystemPath(const std::string& text);

// How many bytes the system text's character that begins with `first` takes
// (a CharacterSize): 2 for a lead byte of the ANSI code page on Windows,
// UTF-8's lengths on Linux.
std::size_t SystemCharacterSize(unsigned char first);

// The settings file's store: the system's private-profile calls on Windows,
// the portable INI file store elsewhere.
ProfileStore& SystemProfileStore();

// The user's own folder for the settings file, as system text:
// %APPDATA%\Velmoran on Windows, $XDG_CONFIG_HOME/velmoran (by default
// ~/.config/velmoran) on Linux; it need not exist yet. Empty when the system
// names no such place.
std::string UserSettingsFolder();

// Whether this user may make files in the folder (system text).
bool FolderWritable(const std::string& folder);

}  // namespace velmoran
