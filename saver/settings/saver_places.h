// Where the saver's files lie. The start-up works them out once and hands
// them down to the forms; nothing further down works a place out again, so
// that a new place for a file is decided in one spot (PlacesOf).
//
// Paths are system text: the encoding the settings file keeps paths in (the
// ANSI code page on Windows, UTF-8 elsewhere).
#pragma once

#include <string>

namespace velmoran {

struct SaverPlaces {
    std::string programFolder;  // the saver's own folder; the file chooser's first folder
    std::string settingsFile;   // Velmoran.ini, where the settings dialog writes
    std::string settingsRead;   // the settings file the settings are read from
    std::string viewerFile;     // Velmoran.dll, which a show starts
};

// What the platform tells of the user's own place for settings.
struct UserSettingsPlace {
    std::string folder;               // the per-user settings folder; empty when none is known
    bool programFolderWritable = true;  // whether this user may make files beside the saver
};

// The places of a saver whose program lies in this folder (no trailing
// separator except at a root). The viewer lies beside the program. The
// settings file is the user's own (in user.folder) once it exists, or when
// the program's folder cannot be written (a system-wide installation); there
// a file beside the saver is still read until the user's own exists.
// Otherwise it lies beside the program, as in a portable installation.
SaverPlaces PlacesOf(const std::string& programFolder, const UserSettingsPlace& user = {});

}  // namespace velmoran
