// Where the files of a show on Windows lie.
#pragma once

#include <filesystem>
#include <vector>

namespace velmoran {

// The shared capture location ("C:\Velmoran.bmp" unless VELMORAN_CAPTURE
// says otherwise), then Velmoran.bmp in the user's temporary folder for a
// user who may not create files in the root of C:.
std::vector<std::filesystem::path> CaptureTargets();

// The folder the running program lies in.
std::filesystem::path ProgramFolder();

}  // namespace velmoran
