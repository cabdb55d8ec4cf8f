// The show's desktop-facing parts, behind a display driver chosen when the
// program starts: each driver fills one table of functions and says whether
// it can run here; the saver takes the first in its back end's list that can
// (DisplayDrivers), the null driver last.
//
// To add a driver: make its folder beside x11_fltk/ and wayland/ with a file
// that defines its table, add the folder to the back end's folders in
// saver/CMakeLists.txt and name the driver in the list in
// x11_fltk/program/display_drivers.cpp ahead of the drivers it wins over.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/captured_screen.h"

namespace velmoran {

// A process as the system numbers it.
using ProcessId = std::uint32_t;

struct DisplayDriver {
    // The driver's short name ("x11", "win32", "null").
    const char* name;

    // Whether the driver can run in this session (a display it can reach).
    bool (*Available)();

    // The desktop at its full size in pixels, as the driver read it (its rows
    // made for the capture file as they are written); nothing when it cannot
    // be read.
    // hostWindow 0: the whole screen as it is now. A show in a host window (an
    // X window id) takes the picture XScreenSaver kept of the desktop before
    // it covered it (the pixmap its _SCREENSAVER_SCREENSHOT property names),
    // and the screen as it is now where it kept none.
    std::unique_ptr<CapturedScreen> (*CaptureScreen)(std::uint32_t hostWindow);

    // The process of each top-level window, hidden ones included, that has
    // exactly this title, one entry a window (none: there is no such window);
    // nothing for a window whose process the system does not tell (an X window
    // without _NET_WM_PID). The viewer's window and the windows that mark a
    // running show or an open dialog are found by their titles.
    std::vector<std::optional<ProcessId>> (*ProcessesOfWindowsTitled)(const std::string& title);

    // Holds a mark, for as long as the handle lives, that a form with this
    // title runs in this process, which ProcessesOfWindowsTitled of other
    // processes counts as a window of that title: for a desktop whose windows
    // carry no title others can see (Wayland). Nothing where the forms' own
    // windows carry their titles (X11, Win32) or nothing is looked up (null).
    std::shared_ptr<void> (*MarkForm)(const std::string& title);

    // Hides the mouse pointer for a show, and shows it again at its end, as
    // the platform counts it: Windows' show-cursor count lowered and raised by
    // one; on X11, XFixes over every screen of the saver's one display
    // connection. Nothing happens where the platform cannot hide it.
    void (*HidePointer)();
    void (*ShowPointer)();

    // Where a display mode of XScreenSaver started with -root shows: the
    // window XScreenSaver names in XSCREENSAVER_WINDOW, or else the screen's
    // root window (X11); on Wayland, unless an X window is named so, every
    // output (kEveryOutput, common/host_window.h). 0 where there is none.
    std::uint32_t (*HackRootWindow)();
};

// The driver that runs without a desktop: it captures nothing, finds no
// window and leaves the pointer alone.
extern const DisplayDriver kNullDisplayDriver;

// The back end's drivers, best first; the null driver ends the list.
std::span<const DisplayDriver* const> DisplayDrivers();

// The first of the drivers that can run here; the null driver when none can.
const DisplayDriver& ChooseDisplayDriver(std::span<const DisplayDriver* const> drivers);

// The driver of this process: chosen from DisplayDrivers the first time it is
// asked for, the same one afterwards.
const DisplayDriver& ChosenDisplayDriver();

}  // namespace velmoran
