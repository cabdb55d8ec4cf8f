#include "saver/win32/win32_display_driver.h"

#include "saver/win32/gdi_screen_capture.h"

namespace velmoran::win32 {

namespace {

bool Available() { return true; }

// A show on Windows has no host window.
std::unique_ptr<CapturedScreen> CaptureScreen(std::uint32_t) { return HoldPicture(CaptureDesktop()); }

// The forms' own windows carry their titles.
std::shared_ptr<void> NoMark(const std::string&) { return nullptr; }

// Windows starts no display modes of XScreenSaver.
std::uint32_t NoHackWindow() { return 0; }

}  // namespace

const DisplayDriver kDisplayDriver = {
    .name = "win32",
    .Available = Available,
    .CaptureScreen = CaptureScreen,
    .ProcessesOfWindowsTitled = ProcessesOfWindowsTitled,
    .MarkForm = NoMark,
    .HidePointer = HidePointer,
    .ShowPointer = ShowPointer,
    .HackRootWindow = NoHackWindow,
};

}  // namespace velmoran::win32
