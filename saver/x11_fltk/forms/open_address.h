// Opening an address (a web page) with the desktop's default handler.
#pragma once

#include <string>

namespace velmoran {

// Starts xdg-open with the address as its only argument, without a shell,
// and does not wait for it; the program reaps it once it has ended. False
// when it could not be started.
bool OpenWithDesktop(const std::string& address);

}  // namespace velmoran
