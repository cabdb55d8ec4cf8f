// The show's hidden form on Windows: a top-level window titled
// "Velmoran_Main" that is never shown, its watch timer and its message loop.
#include <windows.h>

#include "common/window_facts.h"
#include "saver/backend.h"
#include "saver/win32/wide_text.h"

namespace velmoran {

namespace {

constexpr wchar_t kFormClass[] = L"Velmoran_S";
constexpr UINT_PTR kWatchTimerId = 3;  // the form's Timer3

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* form = reinterpret_cast<Velmoran_S*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_TIMER:
            if (w == kWatchTimerId) form->Timer3_Timer();
            return 0;
        case WM_CLOSE:  // a close request takes the same way out as the viewer's end
            form->Form_QueryUnload(UnloadMode::FormControlMenu);
            return 0;
        // The session ends: the show ends with its music and viewer before
        // the system ends the process, and never holds the log-off up.
        case WM_QUERYENDSESSION:
            form->Form_QueryUnload(UnloadMode::AppWindows);
            return TRUE;
        case WM_ENDSESSION:
            if (w) form->Form_QueryUnload(UnloadMode::AppWindows);
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

struct ShowFormWindow::Native {
    ~Native() {
        if (window) DestroyWindow(window);
    }
    HWND window = CreateFormWindow();
    bool ended = false;
};

ShowFormWindow::ShowFormWindow() : native_(std::make_unique<Native>()) {}

ShowFormWindow::~ShowFormWindow() = default;

bool ShowFormWindow::Exists() const { return native_->window != nullptr; }

void ShowFormWindow::SetWatchTimer(bool enabled) {
    if (enabled)
        ::SetTimer(native_->window, kWatchTimerId, static_cast<UINT>(TimerIntervalMs(ShowTimer::Watch)), nullptr);
    else
        KillTimer(native_->window, kWatchTimerId);
}

void ShowFormWindow::RunUntilEnded(Velmoran_S& form) {
    const HWND window = native_->window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form));
    MSG message;
    while (!native_->ended && GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

// The end may come from a message sent to the form (the session's end),
// which the loop's GetMessage handles without returning: a posted message
// lets it see the end.
void ShowFormWindow::End() {
    KillTimer(native_->window, kWatchTimerId);
    native_->ended = true;
    PostMessageW(native_->window, WM_NULL, 0, 0);
}

}  // namespace velmoran
