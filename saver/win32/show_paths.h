// Where the capture of a show on Windows may go.
#pragma once

#include <filesystem>
#include <vector>

namespace velmoran {

// The shared capture location ("C:\Velmoran.bmp" unless VELMORAN_CAPTURE
// says otherwise), then Velmoran.bmp in the user's temporary folder for a
// user who may not create files in the root of C:.
std::vector<std::filesystem::path> CaptureTargets();

}  // namespace velmoran
