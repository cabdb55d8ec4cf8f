#include "saver/win32/win32_display_driver.h"

#include "saver/win32/gdi_screen_capture.h"

namespace velmoran::win32 {

namespace {

bool Available() { return true; }

// A show on Windows has no host window.
std::optional<ScreenPicture> CaptureScreen(std::uint32_t) { return CaptureDesktop(); }

}  // namespace

const DisplayDriver kDisplayDriver = {
    .name = "win32",
    .Available = Available,
    .CaptureScreen = CaptureScreen,
    .ProcessesOfWindowsTitled = ProcessesOfWindowsTitled,
    .HidePointer = HidePointer,
    .ShowPointer = ShowPointer,
};

}  // namespace velmoran::win32
