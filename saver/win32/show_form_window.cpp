// The show's hidden form on Windows: a top-level window titled
// "Velmoran_Main" that is never shown, its timers and its message loop.
#include "saver/show/run_form.h"

#include <windows.h>

#include "saver/show/show_platform.h"
#include "saver/pointer.h"
#include "saver/win32/program_path.h"
#include "saver/win32/screen_capture.h"
#include "saver/win32/show_paths.h"
#include "saver/win32/viewer_process.h"
#include "saver/win32/wide_text.h"

namespace velmoran {

namespace {

constexpr wchar_t kFormClass[] = L"Velmoran_S";
constexpr UINT_PTR kWatchTimerId = 3;  // the form's Timer3

class Win32ShowPlatform : public ShowPlatform {
public:
    Win32ShowPlatform(HWND window, std::filesystem::path folder) : window_(window), folder_(std::move(folder)) {}

    std::optional<ScreenPicture> CaptureScreen() override { return CaptureDesktop(); }
    std::vector<std::filesystem::path> CaptureTargets() override { return velmoran::CaptureTargets(); }
    std::filesystem::path ProgramFolder() override { return folder_; }

    bool StartViewer(const std::filesystem::path& program, const std::filesystem::path& capture) override {
        return viewer_.Start(program, capture);
    }

    bool ViewerWindowExists() override {
        return FindWindowW(nullptr, Widen(kViewerWindowTitle).c_str()) != nullptr;
    }

    bool ViewerExited() override { return viewer_.Exited(); }

    void SetWatchTimer(bool enabled) override {
        if (enabled)
            ::SetTimer(window_, kWatchTimerId, static_cast<UINT>(TimerIntervalMs(ShowTimer::Watch)), nullptr);
        else
            KillTimer(window_, kWatchTimerId);
    }

    void ShowPointer() override { velmoran::ShowPointer(); }

    void EndShow() override {
        KillTimer(window_, kWatchTimerId);
        ended_ = true;
    }

    bool Ended() const { return ended_; }

private:
    HWND window_;
    std::filesystem::path folder_;
    ViewerProcess viewer_;
    bool ended_ = false;
};

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* form = reinterpret_cast<Velmoran_S*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_TIMER:
            if (w == kWatchTimerId) form->Timer3_Timer();
            return 0;
        case WM_CLOSE:  // a close request takes the same way out as the viewer's end
            form->Form_QueryUnload();
            return 0;
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

HWND CreateFormWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW formClass{};
    formClass.lpfnWndProc = FormProcedure;
    formClass.hInstance = instance;
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    formClass.lpszClassName = kFormClass;
    RegisterClassW(&formClass);
    // A top-level window, never shown: FindWindow sees hidden windows, so
    // the title marks a running show.
    return CreateWindowExW(0, kFormClass, Widen(kRunFormTitle).c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           instance, nullptr);
}

}  // namespace

void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, MusicRunner& runner, bool pointerHidden,
                 const std::filesystem::path& programFolder) {
    const HWND window = CreateFormWindow();
    if (!window) return;
    Win32ShowPlatform platform(window, programFolder);
    Velmoran_S form(settings, music, runner, platform, pointerHidden);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));

    form.Form_Load();
    MSG message;
    while (!platform.Ended() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

void RunShowForm(const MusicSettings& settings, BackgroundMusic& music, MusicRunner& runner, bool pointerHidden) {
    RunShowForm(settings, music, runner, pointerHidden, ProgramFile().parent_path());
}

}  // namespace velmoran
