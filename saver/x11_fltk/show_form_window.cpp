// The show's hidden form on X11: an unmapped window titled "Velmoran_Main",
// FLTK's timers and event loop, and the X facilities the show needs, all on
// the saver's one display connection.
#include "saver/show/run_form.h"

#include <FL/Fl.H>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>
#include <functional>

#include "common/capture_location.h"
#include "saver/settings/paths.h"
#include "saver/show/show_platform.h"
#include "saver/x11_fltk/display.h"
#include "saver/pointer.h"
#include "saver/x11_fltk/program_path.h"
#include "saver/x11_fltk/screen_capture.h"
#include "saver/x11_fltk/viewer_process.h"
#include "saver/x11_fltk/window_lookup.h"

namespace velmoran {

namespace {

// The form's window: never mapped, there only to carry the show's title and
// to receive a window manager's close request.
class HiddenWindow {
public:
    explicit HiddenWindow(Display* d) : display_(d) {
        window_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
        XStoreName(d, window_, kRunFormTitle);
        XChangeProperty(d, window_, XInternAtom(d, "_NET_WM_NAME", False), XInternAtom(d, "UTF8_STRING", False),
                        8, PropModeReplace, reinterpret_cast<const unsigned char*>(kRunFormTitle),
                        static_cast<int>(std::strlen(kRunFormTitle)));
        protocols_ = XInternAtom(d, "WM_PROTOCOLS", False);
        deleteWindow_ = XInternAtom(d, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(d, window_, &deleteWindow_, 1);
        XFlush(d);
    }
    ~HiddenWindow() {
        XDestroyWindow(display_, window_);
        XFlush(display_);
    }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    bool IsCloseRequest(const XEvent& e) const {
        return e.type == ClientMessage && e.xclient.window == window_ && e.xclient.message_type == protocols_ &&
               static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow_;
    }

private:
    Display* display_;
    Window window_;
    Atom protocols_;
    Atom deleteWindow_;
};

class X11ShowPlatform : public ShowPlatform {
public:
    X11ShowPlatform(Display* d, std::filesystem::path folder) : display_(d), folder_(std::move(folder)) {}
    ~X11ShowPlatform() override { Fl::remove_timeout(&X11ShowPlatform::Tick, this); }

    // Where the watch timer's ticks go.
    std::function<void()> onWatchTick;

    std::optional<ScreenPicture> CaptureScreen() override { return CaptureRootWindow(display_); }

    std::vector<std::filesystem::path> CaptureTargets() override { return CapturePlaces(CaptureLocation(), {}); }

    std::filesystem::path ProgramFolder() override { return folder_; }

    bool StartViewer(const std::filesystem::path& program, const std::filesystem::path& capture) override {
        return viewer_.Start(program, capture);
    }

    bool ViewerWindowExists() override { return WindowTitled(display_, kViewerWindowTitle); }

    bool ViewerExited() override { return viewer_.Exited(); }

    void SetWatchTimer(bool enabled) override {
        if (enabled == watchOn_) return;
        watchOn_ = enabled;
        if (enabled)
            Fl::add_timeout(kWatchSeconds, &X11ShowPlatform::Tick, this);
        else
            Fl::remove_timeout(&X11ShowPlatform::Tick, this);
    }

    void ShowPointer() override { velmoran::ShowPointer(); }

    void EndShow() override {
        SetWatchTimer(false);
        ended_ = true;
        // The end may come from a timer, which FLTK runs before it blocks for
        // events; an idle callback keeps it from blocking, so that the loop
        // sees the end at once.
        Fl::add_idle(&WakeUp);
    }

    static void WakeUp(void*) {}

    bool Ended() const { return ended_; }

private:
    static constexpr double kWatchSeconds = TimerIntervalMs(ShowTimer::Watch) / 1000.0;

    static void Tick(void* data) {
        auto* self = static_cast<X11ShowPlatform*>(data);
        Fl::repeat_timeout(kWatchSeconds, &X11ShowPlatform::Tick, self);
        if (self->onWatchTick) self->onWatchTick();
    }

    Display* display_;
    std::filesystem::path folder_;
    ViewerProcess viewer_;
    bool watchOn_ = false;
    bool ended_ = false;
};

struct CloseHook {
    const HiddenWindow* window;
    Velmoran_S* form;
};

int OnSystemEvent(void* event, void* data) {
    auto* hook = static_cast<CloseHook*>(data);
    if (!hook->window->IsCloseRequest(*static_cast<const XEvent*>(event))) return 0;
    hook->form->Form_QueryUnload();
    return 1;
}

}  // namespace

void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, MusicRunner& runner, bool pointerHidden,
                 const std::filesystem::path& programFolder) {
    // The start-up hid the pointer on this connection, which FLTK shares.
    Display* display = SaverDisplay();
    if (!display) return;
    X11ShowPlatform platform(display, programFolder);
    HiddenWindow window(display);
    Velmoran_S form(settings, music, runner, platform, pointerHidden);
    platform.onWatchTick = [&form] { form.Timer3_Timer(); };
    CloseHook hook{&window, &form};
    Fl::add_system_handler(&OnSystemEvent, &hook);

    form.Form_Load();
    // Fl::wait() without a time returns at once while no FLTK window is
    // shown, and this form has none: wait with a time, for timers and events.
    while (!platform.Ended()) Fl::wait(1e20);

    Fl::remove_idle(&X11ShowPlatform::WakeUp);
    Fl::remove_system_handler(&OnSystemEvent);
}

void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, MusicRunner& runner, bool pointerHidden) {
    RunShowForm(settings, music, runner, pointerHidden, ProgramFolderOf(ProgramPath()));
}

}  // namespace velmoran
