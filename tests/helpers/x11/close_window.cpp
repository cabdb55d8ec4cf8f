// close_window <title>: asks every top-level window with that title to close,
// as a window manager's close button does (WM_DELETE_WINDOW). Status 1 when
// no such window exists.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace {

bool HasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || !name) return false;
    bool same = std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

void AskToClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 2;
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    int asked = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count; ++i)
            if (HasTitle(display, children[i], argv[1])) {
                AskToClose(display, children[i]);
                ++asked;
            }
        XFree(children);
    }
    XCloseDisplay(display);
    return asked ? 0 : 1;
}
