// Where the saver writes the desktop capture and the viewer reads it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmoran {

// Name of the environment variable through which the saver tells the viewer
// where the capture lies when it is not at the default place.
inline constexpr const char* kCaptureVariable = "VELMORAN_CAPTURE";

using EnvLookup = std::function<const char*(const char* name)>;

// The capture file's path: VELMORAN_CAPTURE when set and not empty; otherwise
// "C:\Velmoran.bmp" for Windows, and for other systems the per-user runtime
// folder ($XDG_RUNTIME_DIR) or else $HOME/.cache. Empty when none is known.
std::string CaptureLocation(bool forWindows, const EnvLookup& env);

// The same for the system this program was built for, from its environment.
std::string CaptureLocation();

// Where the saver tries to write the capture, best first: the capture
// location, then the capture file in the fallback folder, for a user who may
// not create files at the location (the root of C: on Windows). Either is
// left out when empty.
std::vector<std::filesystem::path> CapturePlaces(const std::filesystem::path& location,
                                                 const std::filesystem::path& fallbackFolder);

}  // namespace velmoran
