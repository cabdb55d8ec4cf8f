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
    std::string settingsFile;   // Velmoran.ini
    std::string viewerFile;     // Velmoran.dll, which a show starts
};

// The places of a saver whose program lies in this folder (no trailing
// separator except at a root): both files beside the program.
SaverPlaces PlacesOf(const std::string& programFolder);

}  // namespace velmoran
