// A stand-in for the viewer program whose timing a scenario sets: after
// VELMORAN_FAKE_VIEWER_DELAY_MS (if set) it maps a window titled
// "Velmoran_VC" and ends when that window is asked to close - or abruptly,
// as if killed, after VELMORAN_FAKE_VIEWER_EXIT_S seconds when that is set.
// Like the viewer's own (SDL's) window, its window tells its process.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>

#include <cstdlib>

int main() {
    if (const char* exit = std::getenv("VELMORAN_FAKE_VIEWER_EXIT_S")) alarm(static_cast<unsigned>(std::atoi(exit)));
    if (const char* delay = std::getenv("VELMORAN_FAKE_VIEWER_DELAY_MS")) usleep(std::atoi(delay) * 1000u);
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 320, 240, 0, 0, 0x336699);
    XStoreName(d, w, "Velmoran_VC");
    const long pid = getpid();
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    Atom closeRequest = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(d, w, &closeRequest, 1);
    XMapWindow(d, w);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == ClientMessage && static_cast<Atom>(e.xclient.data.l[0]) == closeRequest) break;
    }
    XDestroyWindow(d, w);
    XCloseDisplay(d);
    return 0;
}
