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

// forms/hack_window.cpp: the window XScreenSaver names in XSCREENSAVER_WINDOW
// where it exists, and the driver's HackRootWindow.
std::optional<std::uint32_t> HackWindowNamed();
std::uint32_t HackRootWindow();

// window_lookup.cpp
std::vector<std::optional<ProcessId>> ProcessesOfWindowsTitled(const std::string& title);

}  // namespace velmoran::x11
