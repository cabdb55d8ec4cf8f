#include "saver/x11_fltk/display_driver/x_display_driver.h"

#include "saver/x11_fltk/display_driver/composited_desktop.h"
#include "saver/x11_fltk/display_driver/kept_desktop.h"
#include "saver/x11_fltk/display_driver/x_screen_capture.h"
#include "saver/x11_fltk/x/display.h"

namespace velmoran::x11 {

namespace {

bool Available() { return SaverDisplay() != nullptr; }

std::optional<ScreenPicture> CaptureScreen(std::uint32_t hostWindow) {
    Display* display = SaverDisplay();
    if (!display) return std::nullopt;
    if (hostWindow != 0) {
        if (auto kept = CaptureKeptDesktop(display, hostWindow)) return kept;
        if (auto composited = CaptureCompositedDesktop(display, hostWindow)) return composited;
    }
    return CaptureRootWindow(display);
}

}  // namespace

const DisplayDriver kDisplayDriver = {
    .name = "x11",
    .Available = Available,
    .CaptureScreen = CaptureScreen,
    .ProcessesOfWindowsTitled = ProcessesOfWindowsTitled,
    .HidePointer = HidePointer,
    .ShowPointer = ShowPointer,
    .HackRootWindow = HackRootWindow,
};

}  // namespace velmoran::x11
