// marker_window <title> [wm-name|net-wm-name|framed]: keeps an unmapped
// window with that title until it is killed, as a running saver's hidden form
// would. The title goes into WM_NAME, into _NET_WM_NAME only, or (framed) into
// both on a window inside an untitled parent, the way a window manager's frame
// holds a top-level window. Prints "ready" once the window exists.
#include <cstdio>
#include <cstring>
#include <string>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

void SetTitle(Display* display, Window window, const char* title, bool wmName, bool netWmName) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(title);
    const int length = static_cast<int>(std::strlen(title));
    if (wmName)
        XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace, bytes, length);
    if (netWmName)
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace, bytes, length);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: marker_window <title> [wm-name|net-wm-name|framed]\n");
        return 2;
    }
    const std::string how = argc > 2 ? argv[2] : "wm-name";
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    Window parent = DefaultRootWindow(display);
    if (how == "framed") parent = XCreateSimpleWindow(display, parent, 10, 10, 200, 100, 0, 0, 0);
    const Window window = XCreateSimpleWindow(display, parent, 0, 0, 200, 100, 0, 0, 0);
    SetTitle(display, window, argv[1], how != "net-wm-name", how != "wm-name");
    XSync(display, False);
    std::puts("ready");
    std::fflush(stdout);
    for (XEvent event;;) XNextEvent(display, &event);
}
