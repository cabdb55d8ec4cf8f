// send_close <title>: asks the window with that title to close, as a window
// manager does (WM_DELETE_WINDOW). Exit status 1 when there is no such window.
#include <X11/Xlib.h>

#include "saver/x11_fltk/display_driver/window_lookup.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const Window w = velmoran::FindWindowTitled(d, argv[1]);
    if (w) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, w, False, NoEventMask, &e);
        XSync(d, False);
    }
    XCloseDisplay(d);
    return w ? 0 : 1;
}
