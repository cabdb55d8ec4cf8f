// close_window <title>: sends WM_CLOSE to the top-level window with that
// title, as another program closing it would. Status 1 when there is none.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HWND window = FindWindowA(nullptr, argv[1]);
    if (!window) return 1;
    return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
