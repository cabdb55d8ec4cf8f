// The show's hidden form on Linux: an unmapped window titled "Velmoran_Main"
// where an X display exists, FLTK's timers and event loop, the signals that
// end the session, and the screen, all on the saver's one display connection.
#include <FL/Fl.H>
#include <X11/Xlib.h>

#include "common/window_facts.h"
#include "saver/backend.h"
#include "saver/posix/surface_notices.h"
#include "saver/x11_fltk/x/display.h"
#include "saver/x11_fltk/program/end_signals.h"
#include "saver/x11_fltk/forms/managed_window.h"

namespace velmoran {

namespace {

// The form's window: never mapped, there only to carry the show's title and
// to receive a window manager's close request.
class HiddenWindow {
public:
    explicit HiddenWindow(Display* d)
        : display_(d), window_(XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0)), closeRequest_(d) {
        SetWindowTitle(d, window_, kRunFormTitle);
        closeRequest_.AcceptOn(window_);
        XFlush(d);
    }
    ~HiddenWindow() {
        XDestroyWindow(display_, window_);
        XFlush(display_);
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    bool IsCloseRequest(const XEvent& e) const { return closeRequest_.Is(e, window_); }

private:
    Display* display_;
    Window window_;
    CloseRequest closeRequest_;
};

constexpr double kWatchSeconds = TimerIntervalMs(ShowTimer::Watch) / 1000.0;

}  // namespace

struct ShowFormWindow::Native {
    // The start-up hid the pointer on this connection, which FLTK shares.
    Display* display = SaverDisplay();
    std::optional<HiddenWindow> window;
    Velmoran_S* form = nullptr;
    bool watchOn = false;
    bool ended = false;
    EndSignals sessionEnd{[this] {
        if (form) form->Form_QueryUnload(UnloadMode::AppWindows);
    }};

    static void Tick(void* data) {
        auto* self = static_cast<Native*>(data);
        Fl::repeat_timeout(kWatchSeconds, &Native::Tick, self);
        if (self->form) self->form->Timer3_Timer();
    }

    // The viewer wrote to its notice pipe or ended: the watch looks at once
    // rather than at its next tick.
    static void ViewerSpoke(int fd, void* data) {
        auto* self = static_cast<Native*>(data);
        ReadSurfaceNotices();
        if (SurfaceNoticeReader() != fd) Fl::remove_fd(fd);
        if (self->form) self->form->Timer3_Timer();
    }

    static void WakeUp(void*) {}

    static int OnSystemEvent(void* event, void* data) {
        auto* self = static_cast<Native*>(data);
        if (!self->form || !self->window->IsCloseRequest(*static_cast<const XEvent*>(event))) return 0;
        self->form->Form_QueryUnload(UnloadMode::FormControlMenu);
        return 1;
    }
};

ShowFormWindow::ShowFormWindow() : native_(std::make_unique<Native>()) {
    if (native_->display) native_->window.emplace(native_->display);
}

ShowFormWindow::~ShowFormWindow() { Fl::remove_timeout(&Native::Tick, native_.get()); }

// FLTK's timers and the session's signals need no display: on a Wayland
// desktop without Xwayland the form runs without its window.
bool ShowFormWindow::Exists() const { return true; }

void ShowFormWindow::SetWatchTimer(bool enabled) {
    Native& n = *native_;
    if (enabled == n.watchOn) return;
    n.watchOn = enabled;
    if (enabled)
        Fl::add_timeout(kWatchSeconds, &Native::Tick, &n);
    else
        Fl::remove_timeout(&Native::Tick, &n);
}

void ShowFormWindow::RunUntilEnded(Velmoran_S& form) {
    Native& n = *native_;
    n.form = &form;
    Fl::add_system_handler(&Native::OnSystemEvent, &n);
    const int notices = SurfaceNoticeReader();
    if (notices >= 0) Fl::add_fd(notices, FL_READ, &Native::ViewerSpoke, &n);
    // Fl::wait() without a time returns at once while no FLTK window is
    // shown, and this form has none: wait with a time, for timers and events.
    while (!n.ended) Fl::wait(1e20);
    Fl::remove_idle(&Native::WakeUp);
    Fl::remove_system_handler(&Native::OnSystemEvent);
    if (notices >= 0 && SurfaceNoticeReader() == notices) Fl::remove_fd(notices);
    n.form = nullptr;
}

void ShowFormWindow::End() {
    SetWatchTimer(false);
    native_->ended = true;
    // The end may come from a timer, which FLTK runs before it blocks for
    // events; an idle callback keeps it from blocking, so that the loop
    // sees the end at once.
    Fl::add_idle(&Native::WakeUp);
}

std::filesystem::path CaptureFallbackFolder() { return {}; }

}  // namespace velmoran
