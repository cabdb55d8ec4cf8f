// capture_probe <file>: photographs the screen as a show does and writes the
// capture file there. Exit status 0 when the file was written.
#include <X11/Xlib.h>

#include <cstdio>

#include "common/capture_bitmap.h"
#include "saver/x11/screen_capture.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: capture_probe <file>\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    const auto picture = velmoran::CaptureRootWindow(display);
    XCloseDisplay(display);
    return picture && velmoran::WriteCaptureBitmap(argv[1], *picture) ? 0 : 1;
}
