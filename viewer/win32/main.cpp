// The viewer's shell on Win32, and Velmoran.dll's entry on Windows. It opens the
// pop-up window "Velmoran_VC" and renders at the display's pace, until
// Escape or the window is closed.
#include <windows.h>
#include <mmsystem.h>

#include "common/capture_location.h"
#include "common/window_facts.h"
#include "viewer/scene.h"
#include "viewer/viewer_program.h"
#include "viewer/viewer_shell.h"
#include "viewer/win32/win32_shell.h"
#include "viewer/win32/win32_window_system.h"

namespace {

using velmoran::kViewerWindowTitle;

static_assert(VK_ESCAPE == velmoran::kEscapeKey, "virtual-key codes index the key table");

// The program-wide state the window procedure works on.
struct Viewer {
    velmoran::Scene scene{velmoran::CaptureLocation()};
    velmoran::Win32WindowSystem system;
    velmoran::ViewerProgram program{system, scene};
};
Viewer* viewer = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    velmoran::ViewerProgram& program = viewer->program;
    switch (message) {
    case WM_CREATE:
        viewer->system.Attach(window);
        return 0;
    case WM_SIZE:
        program.OnResize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT:
        program.OnPaint();
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        program.OnKey(static_cast<int>(wParam), message == WM_KEYDOWN);
        return 0;
    case WM_DESTROY:
        program.OnDestroy();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.lpszClassName = kViewerWindowTitle;
    return RegisterClassA(&windowClass) != 0;
}

// A frame is painted when one is due and no message is waiting; until then
// the loop sleeps, waking at once for any message.
int RunMessageLoop(HWND window) {
    MSG message{};
    while (message.message != WM_QUIT) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (int wait = viewer->program.MillisecondsToNextFrame(); wait > 0) {
            MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(wait), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        } else {
            InvalidateRect(window, nullptr, FALSE);
        }
    }
    return static_cast<int>(message.wParam);
}

// Waits end to the millisecond rather than to the system's default tick of
// about 16 ms, which would halve the frame rate, while the viewer runs.
class FineTimer {
public:
    FineTimer() { timeBeginPeriod(1); }
    ~FineTimer() { timeEndPeriod(1); }
    FineTimer(const FineTimer&) = delete;
    FineTimer& operator=(const FineTimer&) = delete;
};

bool CanRunWin32() { return true; }

int RunWin32() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    static Viewer program;
    viewer = &program;
    if (!RegisterWindowClass(instance)) return 0;
    // A pop-up window given CW_USEDEFAULT lands at the screen's top-left corner.
    HWND window = CreateWindowExA(0, kViewerWindowTitle, kViewerWindowTitle,
                                  WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                  velmoran::kViewerWindowWidth, velmoran::kViewerWindowHeight, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 0;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    if (!viewer->program.Start()) return 0;
    FineTimer timer;
    int status = RunMessageLoop(window);
    viewer->program.OnQuit();
    return status;
}

}  // namespace

namespace velmoran {

const ViewerShell kWin32Shell = {"win32", &CanRunWin32, &RunWin32};

}  // namespace velmoran

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return velmoran::RunFirstShell(velmoran::kViewerShells, velmoran::kViewerShellCount);
}
