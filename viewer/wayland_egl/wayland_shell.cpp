// The viewer on Wayland: its surfaces (one, or one for each output), the
// seat's keys and pointer, and an event loop that paints each surface when
// the compositor asks for its next frame, until Escape, a closed surface or
// an end signal.
#include "viewer/wayland_egl/wayland_shell.h"

#include <poll.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "common/capture_location.h"
#include "common/host_window.h"
#include "viewer/posix/end_signals.h"
#include "viewer/posix/saver_bond.h"
#include "viewer/wayland_egl/surface_notice.h"
#include "viewer/wayland_egl/wayland_input.h"
#include "viewer/wayland_egl/wayland_view.h"

namespace velmoran {

namespace {

class Run : public InputSink {
public:
    Run(WaylandGlobals& globals, EglDisplay& egl) : session_{globals, egl}, input_(globals.seat, *this) {
        session_.traceFrames = std::getenv("VELMORAN_TRACE_FRAMES") != nullptr;
    }

    void Open(const std::string& picture) {
        if (std::getenv(kAllOutputsVariable)) {
            for (const auto& output : session_.globals.outputs)
                views_.push_back(std::make_unique<WaylandView>(session_, output.get(), true, picture));
        }
        if (views_.empty())
            views_.push_back(
                std::make_unique<WaylandView>(session_, TopLeftOutput(session_.globals), false, picture));
    }

    void Loop() {
        wl_display* display = session_.globals.display;
        while (!session_.quitting) {
            if (EndSignalled()) {
                EndAll();
                break;
            }
            bool painted = false;
            for (auto& view : views_) painted = view->Advance() || painted;
            if (painted && AllShown()) notice_.Up();
            if (session_.quitting || !Wait(display)) break;
        }
        notice_.Gone();
    }

    void OnKey(int code, bool down) override {
        for (auto& view : views_) view->OnKey(code, down);
    }
    void OnPointerEnter(wl_surface* surface, wl_pointer* pointer, std::uint32_t serial) override {
        if (WaylandView* view = ViewOn(surface)) view->OnPointerEnter(pointer, serial);
    }
    void OnPointerLeave(wl_surface* surface) override {
        for (auto& view : views_)
            if (!surface || view->surface() == surface) view->OnPointerLeave();
    }

private:
    WaylandView* ViewOn(wl_surface* surface) {
        for (auto& view : views_)
            if (view->surface() == surface) return view.get();
        return nullptr;
    }

    bool AllShown() const {
        for (const auto& view : views_)
            if (!view->shown()) return false;
        return true;
    }

    void EndAll() {
        for (auto& view : views_) view->OnEnd();
    }

    // Dispatches the compositor's events, waiting for them or an end signal
    // when none are queued; false when the connection is lost, which ends
    // the show.
    bool Wait(wl_display* display) {
        bool dispatched = false;
        while (wl_display_prepare_read(display) != 0) {
            if (wl_display_dispatch_pending(display) < 0) return Lost();
            dispatched = true;
        }
        wl_display_flush(display);
        // Events already dispatched may have made a frame due.
        pollfd watched[2] = {{wl_display_get_fd(display), POLLIN, 0}, {EndSignalDescriptor(), POLLIN, 0}};
        if (!dispatched && poll(watched, 2, -1) > 0 && (watched[0].revents & POLLIN))
            wl_display_read_events(display);
        else
            wl_display_cancel_read(display);
        if (wl_display_dispatch_pending(display) < 0 || wl_display_get_error(display) != 0) return Lost();
        return true;
    }

    bool Lost() {
        EndAll();
        return false;
    }

    WaylandSession session_;
    WaylandInput input_;
    SurfaceNotice notice_;
    std::vector<std::unique_ptr<WaylandView>> views_;
};

// The connection CanRun opened, for Run.
wl_display* opened = nullptr;

bool CanRunWayland() {
    // A host window is an X window: the X11 shell's.
    if (std::getenv(kHostWindowVariable)) return false;
    const char* named = std::getenv("WAYLAND_DISPLAY");
    if (!named || !*named) return false;
    opened = wl_display_connect(nullptr);
    if (opened && wl_display_roundtrip(opened) >= 0) return true;
    if (opened) wl_display_disconnect(opened);
    opened = nullptr;
    return false;
}

void Show(wl_display* display) {
    const std::string picture = CaptureLocation();
    WaylandGlobals globals;
    globals.display = display;
    EglDisplay egl;
    if (BindGlobals(globals)) {
        // The surfaces' scenes begin to load the picture before EGL loads
        // its driver; the surfaces draw once both are ready.
        Run run(globals, egl);
        run.Open(picture);
        if (OpenEglDisplay(display, egl)) run.Loop();
    }
    CloseEglDisplay(egl);
    ReleaseGlobals(globals);
    wl_display_flush(display);
}

int RunWayland() {
    if (BindToSaver() && CatchEndSignals()) Show(opened);
    wl_display_disconnect(opened);
    return 0;
}

}  // namespace

const ViewerShell kWaylandShell = {"wayland", &CanRunWayland, &RunWayland};

}  // namespace velmoran
