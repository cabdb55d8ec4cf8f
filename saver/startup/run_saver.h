// Velmoran.scr on the desktop it was built for: what each back end's main
// calls with the program's command line.
#pragma once

#include <string_view>

namespace velmoran {

// Runs the saver for one command line (the text after the program's name)
// until its form has gone; returns the program's exit status.
int RunSaver(std::string_view commandLine);

}  // namespace velmoran
