// Where the running program lies.
#pragma once

#include <string>

namespace velmoran {

// The program file's full path, empty when the system does not tell.
std::string ProgramPath();

}  // namespace velmoran
