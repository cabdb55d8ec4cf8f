// The X11 display driver's parts, each defined in the file named for it.
#pragma once

#include "saver/display/display_driver.h"

namespace velmoran::x11 {

// x_display_driver.cpp: the driver's table; it runs where the saver's display
// connection opens.
extern const DisplayDriver kDisplayDriver;

// pointer.cpp
void HidePointer();
void ShowPointer();

// window_lookup.cpp
std::vector<std::optional<ProcessId>> ProcessesOfWindowsTitled(const std::string& title);

}  // namespace velmoran::x11
