#include "saver/x11_fltk/display_driver/x_display_driver.h"

#include "saver/x11_fltk/display_driver/composited_desktop.h"
#include "saver/x11_fltk/display_driver/kept_desktop.h"
#include "saver/x11_fltk/display_driver/x_screen_capture.h"
#include "saver/x11_fltk/x/display.h"

namespace velmoran::x11 {

namespace {

bool Available() { return SaverDisplay() != nullptr; }

std::unique_ptr<CapturedScreen> CaptureScreen(std::uint32_t hostWindow) {
    Display* display = SaverDisplay();
    if (!display) return nullptr;
    if (hostWindow != 0) {
        if (auto kept = CaptureKeptDesktop(display, hostWindow)) return kept;
        if (auto composited = HoldPicture(CaptureCompositedDesktop(display, hostWindow))) return composited;
    }
    return CaptureRootWindow(display);
}

// The forms' own windows carry their titles.
std::shared_ptr<void> NoMark(const std::string&) { return nullptr; }

}  // namespace

const DisplayDriver kDisplayDriver = {
    .name = "x11",
    .Available = Available,
    .CaptureScreen = CaptureScreen,
    .ProcessesOfWindowsTitled = ProcessesOfWindowsTitled,
    .MarkForm = NoMark,
    .HidePointer = HidePointer,
    .ShowPointer = ShowPointer,
    .HackRootWindow = HackRootWindow,
};

}  // namespace velmoran::x11
