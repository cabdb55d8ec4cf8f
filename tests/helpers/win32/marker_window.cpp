// marker_window <title>: keeps a hidden top-level window with that title
// until it is killed, as a running saver's hidden form would. Prints "ready"
// once the window exists.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: marker_window <title>\n");
        return 2;
    }
    HWND window = CreateWindowExA(0, "STATIC", argv[1], WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) return 1;
    std::puts("ready");
    std::fflush(stdout);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
