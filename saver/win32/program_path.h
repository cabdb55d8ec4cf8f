// Where the running program lies.
#pragma once

#include <string>

namespace velmoran {

// The program file's full path in the system's ANSI code page, the one the
// private-profile calls take; empty when the system does not tell.
std::string ProgramPath();

}  // namespace velmoran
