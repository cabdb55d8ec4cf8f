// send_close <title>: posts WM_CLOSE to the top-level window with that title.
// Exit status 1 when there is no such window.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const HWND window = FindWindowA(nullptr, argv[1]);
    return window && PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
