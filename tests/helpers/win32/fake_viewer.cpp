// A stand-in for the viewer program whose timing a scenario sets: after
// VELMORAN_FAKE_VIEWER_DELAY_MS (if set) it shows a window titled
// "Velmoran_VC" and ends when that window is asked to close - or abruptly,
// as if killed, after VELMORAN_FAKE_VIEWER_EXIT_S seconds when that is set.
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

DWORD WINAPI ExitLater(void* seconds) {
    Sleep(static_cast<DWORD>(reinterpret_cast<INT_PTR>(seconds)) * 1000);
    ExitProcess(3);
}

}  // namespace

int main() {
    if (const char* exit = std::getenv("VELMORAN_FAKE_VIEWER_EXIT_S"))
        CreateThread(nullptr, 0, ExitLater, reinterpret_cast<void*>(static_cast<INT_PTR>(std::atoi(exit))), 0, nullptr);
    if (const char* delay = std::getenv("VELMORAN_FAKE_VIEWER_DELAY_MS")) Sleep(std::atoi(delay));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"Velmoran_VC";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, L"Velmoran_VC", L"Velmoran_VC", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr,
                    windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
