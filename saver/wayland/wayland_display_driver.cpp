#include "saver/wayland/wayland_display_driver.h"

#include <cstdlib>

#include "common/host_window.h"
#include "common/window_facts.h"
#include "saver/posix/form_marks.h"
#include "saver/posix/surface_notices.h"
#include "saver/x11_fltk/display_driver/x_display_driver.h"

namespace velmoran::wayland {

namespace {

bool Available() { return SessionConnection() != nullptr; }

bool XDisplayBeside() { return x11::kDisplayDriver.Available(); }

// A host window is an X window (XScreenSaver's, under Xwayland): what X
// keeps of it is all there is to take. Otherwise the compositor's outputs.
std::unique_ptr<CapturedScreen> CaptureScreen(std::uint32_t hostWindow) {
    if (hostWindow != 0 && hostWindow != kEveryOutput && XDisplayBeside())
        return x11::kDisplayDriver.CaptureScreen(hostWindow);
    return HoldPicture(CaptureDesktop());
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The marks of the forms of every copy of the saver on this compositor.
const std::string& SessionMarksFolder() {
    static const std::string folder =
        FormMarksFolder(Environment("XDG_RUNTIME_DIR"), Environment("WAYLAND_DISPLAY"));
    return folder;
}

// A Wayland surface has no title another client can see: the viewer tells
// its own through the notice pipe, the forms leave their marks; the X
// windows of the same titles count as well where an X display exists.
std::vector<std::optional<ProcessId>> ProcessesOfWindowsTitled(const std::string& title) {
    std::vector<std::optional<ProcessId>> processes;
    if (XDisplayBeside()) processes = x11::ProcessesOfWindowsTitled(title);
    if (title == kViewerWindowTitle) {
        if (const auto viewer = ViewerSurfaceUp()) processes.push_back(*viewer);
        return processes;
    }
    for (const ProcessId marked : ProcessesMarked(SessionMarksFolder(), title)) processes.push_back(marked);
    return processes;
}

// Marked beside the X window a form may still make under Xwayland, which an
// X11 copy of the saver looks for.
std::shared_ptr<void> MarkForm(const std::string& title) { return HoldFormMark(SessionMarksFolder(), title); }

// The viewer's surfaces carry no pointer: the pointer is the viewer's to hide.
void LeavePointer() {}

std::uint32_t HackRootWindow() {
    if (XDisplayBeside()) {
        if (const auto named = x11::HackWindowNamed()) return *named;
    }
    return kEveryOutput;
}

}  // namespace

const DisplayDriver kDisplayDriver = {
    .name = "wayland",
    .Available = Available,
    .CaptureScreen = CaptureScreen,
    .ProcessesOfWindowsTitled = ProcessesOfWindowsTitled,
    .MarkForm = MarkForm,
    .HidePointer = LeavePointer,
    .ShowPointer = LeavePointer,
    .HackRootWindow = HackRootWindow,
};

}  // namespace velmoran::wayland
