#include "saver/x11_fltk/forms/managed_window.h"

#include <cstring>

namespace velmoran {

void SetWindowTitle(Display* display, Window window, const char* title) {
    XStoreName(display, window, title);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
}

CloseRequest::CloseRequest(Display* display)
    : display_(display),
      protocols_(XInternAtom(display, "WM_PROTOCOLS", False)),
      deleteWindow_(XInternAtom(display, "WM_DELETE_WINDOW", False)) {}

void CloseRequest::AcceptOn(Window window) const {
    Atom deleteWindow = deleteWindow_;
    XSetWMProtocols(display_, window, &deleteWindow, 1);
}

bool CloseRequest::Is(const XEvent& event, Window window) const {
    return event.type == ClientMessage && event.xclient.window == window &&
           event.xclient.message_type == protocols_ && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_;
}

void CloseRequest::Send(Window window) const {
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = protocols_;
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(deleteWindow_);
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &close);
}

}  // namespace velmoran
