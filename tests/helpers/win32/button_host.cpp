// button_host [--disabled]: a window "button_host" holding two push buttons,
// A ("設定") and B ("ｷｬﾝｾﾙ", loaded disabled with --disabled). Once shown it
// prints each button's place on screen, "A <x> <y> <w> <h>", then
// "click A" or "click B" for every click.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "saver/backend.h"

using velmoran::CommandButton;
using velmoran::MemoryPropertyBag;

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeHost() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = CreateSolidBrush(RGB(192, 192, 192));
    wc.lpszClassName = L"ButtonHost";
    RegisterClassExW(&wc);
    RECT r{0, 0, 240, 100};
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    AdjustWindowRect(&r, style, FALSE);
    return CreateWindowExW(0, L"ButtonHost", L"button_host", style, 40, 40, r.right - r.left, r.bottom - r.top,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

void Load(CommandButton& button, const char* name, const char* caption, bool enabled) {
    MemoryPropertyBag bag{{"caption", std::string(caption)}, {"font", velmoran::DesignFont()}};
    if (!enabled) bag.Set("enabled", std::string("0"));
    button.Control().UserControl_ReadProperties(bag);
    button.Control().Initialize();
    button.OnClick([name] {
        std::printf("click %s\n", name);
        std::fflush(stdout);
    });
}

void PrintPlace(const char* name, const CommandButton& button) {
    RECT r;
    GetWindowRect(reinterpret_cast<HWND>(button.Window()), &r);
    std::printf("%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

int main(int argc, char** argv) {
    bool disabled = argc > 1 && std::strcmp(argv[1], "--disabled") == 0;
    HWND host = MakeHost();
    const auto parent = reinterpret_cast<velmoran::WindowRef>(host);
    CommandButton a(parent, 20, 40, 77, 25);
    CommandButton b(parent, 130, 40, 77, 25);
    Load(a, "A", "設定", true);
    Load(b, "B", "ｷｬﾝｾﾙ", !disabled);
    UpdateWindow(host);
    a.Focus();
    PrintPlace("A", a);
    PrintPlace("B", b);
    std::fflush(stdout);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(host, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
