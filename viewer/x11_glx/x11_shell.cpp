// The viewer's shell on Xlib and GLX. It opens the borderless window "Velmoran_VC" at the screen's top-left
// corner (or in the host window the saver names, host_window.h) and hands
// every event to the viewer program, painting at the display's pace, until
// Escape, the window is closed or an end signal comes.
#include "common/capture_location.h"
#include "viewer/debug_print.h"
#include "viewer/scene.h"
#include "viewer/viewer_program.h"
#include "viewer/viewer_shell.h"
#include "viewer/posix/end_signals.h"
#include "viewer/x11_glx/event_loop.h"
#include "viewer/x11_glx/glx_window.h"
#include "viewer/x11_glx/host_window.h"
#include "viewer/posix/saver_bond.h"
#include "viewer/x11_glx/x11_shell.h"
#include "viewer/x11_glx/x11_window_system.h"

#include <cstdio>
#include <cstdlib>

namespace {

void ReportPixelFormat(const velmoran::GlxWindow& window) {
    const std::string line = velmoran::FormatDebug(velmoran::kPixelFormatLine, static_cast<int>(window.visual),
                                                   window.bitsPerPixel);
    std::fputs(line.c_str(), stderr);
}

[[noreturn]] void EndProgramNow() {
    std::fflush(nullptr);
    std::_Exit(0);
}

void Show(Display* display, const velmoran::ViewerWindowPlace& place) {
    // The picture loads while the window and the GL context come up.
    velmoran::Scene scene(velmoran::CaptureLocation());
    std::optional<velmoran::GlxWindow> window = velmoran::CreateGlxWindow(display, place);
    if (!window) return;
    ReportPixelFormat(*window);
    if (window->context) velmoran::PresentAtRefresh(display, window->window);
    {
        velmoran::X11WindowSystem system(display, *window);
        velmoran::ViewerProgram program(system, scene);
        velmoran::RunEventLoop(display, system, program, *window);
        // An end signal is the session's end, which waits for this process:
        // the X server takes the window, and the system the GL's threads and
        // memory, with the process, sooner than they would be let go here.
        if (velmoran::EndSignalled()) EndProgramNow();
    }
    velmoran::DestroyGlxWindow(display, *window);
}

// The display CanRun opened, for Run.
Display* opened = nullptr;

bool CanRunX11() {
    opened = XOpenDisplay(nullptr);
    return opened != nullptr;
}

int RunX11() {
    Display* display = opened;
    if (velmoran::BindToSaver() && velmoran::CatchEndSignals())
        if (const auto place = velmoran::PlaceOfViewerWindow(display)) Show(display, *place);
    XCloseDisplay(display);
    return 0;
}

}  // namespace

namespace velmoran {

const ViewerShell kX11Shell = {"x11", &CanRunX11, &RunX11};

}  // namespace velmoran
