// Where the running program lies.
#pragma once

#include <filesystem>
#include <string>

namespace velmoran {

// The program file's full path in the system's ANSI code page, the one the
// private-profile calls take; empty when the system does not tell.
std::string ProgramPath();

// The same in full Unicode, for starting programs that lie beside it.
std::filesystem::path ProgramFile();

}  // namespace velmoran
