// pattern_window [plain]: covers the whole screen with a grid of solid blocks,
// 8 across and 6 down, each of its own colour, until it is killed. Block i
// (counted across, then down) has red 9 + 34 (i mod 8), green 3 + 41 (i div 8)
// and blue 250 - 5 i. "plain" uses colours made of full and empty primaries
// only, which every screen depth shows exactly.
#include <windows.h>

#include <cstring>

namespace {

constexpr int kColumns = 8;
constexpr int kRows = 6;
bool plain = false;

COLORREF BlockColour(int i) {
    if (plain) {
        const int k = (i * 5 + i / kColumns + 1) % 8;  // block 0 red
        return RGB((k & 1) ? 255 : 0, (k & 2) ? 255 : 0, (k & 4) ? 255 : 0);
    }
    return RGB(9 + 34 * (i % kColumns), 3 + 41 * (i / kColumns), 250 - 5 * i);
}

void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    for (int i = 0; i < kColumns * kRows; ++i) {
        const int c = i % kColumns, r = i / kColumns;
        RECT block{c * client.right / kColumns, r * client.bottom / kRows, (c + 1) * client.right / kColumns,
                   (r + 1) * client.bottom / kRows};
        HBRUSH brush = CreateSolidBrush(BlockColour(i));
        FillRect(dc, &block, brush);
        DeleteObject(brush);
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

}  // namespace

int main(int argc, char** argv) {
    plain = argc > 1 && std::strcmp(argv[1], "plain") == 0;
    SetProcessDPIAware();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VelmoranPattern";
    RegisterClassW(&windowClass);
    CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Velmoran pattern", WS_POPUP | WS_VISIBLE, 0, 0,
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                    windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
