// preview_host [--embed-here] <width> <height> [<x> <y>]: a frame at x, y
// (100, 100 unless given) holding, 10 pixels in, a magenta child window of
// that size that hosts the saver's preview, as the display settings' little
// monitor does. Prints the host's window handle in decimal, then obeys lines
// on standard input:
//   query                    prints each window inside the host as
//                            "child <left>,<top> <width>x<height> <child|popup>
//                            <visible|hidden> <title>", then "end"
//   resize <width> <height>  gives the host (and its frame) another size
//   end-preview              asks the windows inside the host to close
//   destroy                  destroys the host and ends
// and ends at the end of its input.
//
// --embed-here runs the saver's preview form for the host in a thread of this
// process. Wine draws no child window whose top-level window belongs to
// another process, so this is how its picture can be photographed there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "saver/preview/run_preview.h"

namespace {

constexpr int kFrameMargin = 10;
constexpr UINT kResize = WM_APP + 1;
constexpr UINT kEndPreview = WM_APP + 2;
constexpr UINT kDestroy = WM_APP + 3;

HWND frame = nullptr;
HWND host = nullptr;

BOOL CALLBACK CloseChild(HWND child, LPARAM) {
    PostMessageW(child, WM_CLOSE, 0, 0);
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rect), 2);
    char title[256] = "";
    GetWindowTextA(child, title, sizeof title);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    std::printf("child %ld,%ld %ldx%ld %s %s %s\n", rect.left, rect.top, rect.right - rect.left,
                rect.bottom - rect.top, (style & WS_CHILD) ? "child" : "popup",
                IsWindowVisible(child) ? "visible" : "hidden", title);
    return TRUE;
}

// Commands come in on a thread of their own; the windows are handled on the
// thread that made them.
LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case kResize:
            SetWindowPos(frame, nullptr, 0, 0, int(w) + 2 * kFrameMargin, int(l) + 2 * kFrameMargin,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            SetWindowPos(host, nullptr, 0, 0, int(w), int(l), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        case kEndPreview:
            EnumChildWindows(host, CloseChild, 0);
            return 0;
        case kDestroy:
            DestroyWindow(host);
            PostQuitMessage(0);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, w, l);
    }
}

DWORD WINAPI ReadCommands(void*) {
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        int width = 0, height = 0;
        if (command == "query") {
            EnumChildWindows(host, PrintChild, 0);
            std::puts("end");
            std::fflush(stdout);
        } else if (command == "resize" && words >> width >> height && width > 0 && height > 0) {
            SendMessageW(frame, kResize, WPARAM(width), LPARAM(height));
        } else if (command == "end-preview") {
            SendMessageW(frame, kEndPreview, 0, 0);
        } else if (command == "destroy") {
            SendMessageW(frame, kDestroy, 0, 0);
        }
    }
    PostMessageW(frame, WM_CLOSE, 0, 0);
    return 0;
}

DWORD WINAPI RunPreview(void*) {
    velmoran::RunPreviewForm(static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(host)));
    return 0;
}

HWND MakeWindow(const wchar_t* className, WNDPROC procedure, COLORREF colour, DWORD style, int x, int y, int width,
                int height, HWND parent) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(colour);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, className, className, style, x, y, width, height, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const bool embedHere = argc > 1 && std::strcmp(argv[1], "--embed-here") == 0;
    if (embedHere) --argc, ++argv;
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: preview_host [--embed-here] <width> <height> [<x> <y>]\n");
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const int x = argc == 5 ? std::atoi(argv[3]) : 100, y = argc == 5 ? std::atoi(argv[4]) : 100;
    if (width <= 0 || height <= 0) return 1;
    SetProcessDPIAware();
    frame = MakeWindow(L"Preview Host", FrameProcedure, RGB(255, 255, 255), WS_POPUP | WS_VISIBLE, x, y,
                       width + 2 * kFrameMargin, height + 2 * kFrameMargin, nullptr);
    host = MakeWindow(L"Preview Monitor", DefWindowProcW, RGB(255, 0, 255),
                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kFrameMargin, kFrameMargin, width, height, frame);
    if (!frame || !host) return 1;
    UpdateWindow(frame);
    std::printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(host)));
    std::fflush(stdout);

    if (embedHere) CloseHandle(CreateThread(nullptr, 0, RunPreview, nullptr, 0, nullptr));
    CloseHandle(CreateThread(nullptr, 0, ReadCommands, nullptr, 0, nullptr));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
