// What a window manager reads of a top-level window the saver makes with
// Xlib itself, rather than through FLTK: its title and its close request.
#pragma once

#include <X11/Xlib.h>

namespace velmoran {

// Names the window for old and new window managers and for the lookup by
// title: WM_NAME, and _NET_WM_NAME in UTF-8.
void SetWindowTitle(Display* display, Window window, const char* title);

// The window manager's request to close a window: WM_DELETE_WINDOW under
// WM_PROTOCOLS.
class CloseRequest {
public:
    explicit CloseRequest(Display* display);

    // Asks the window manager to send the request to the window instead of
    // destroying it.
    void AcceptOn(Window window) const;
    // Whether the event is the request to close this window.
    bool Is(const XEvent& event, Window window) const;
    // Sends the request to the window, as a window manager does.
    void Send(Window window) const;

private:
    Display* display_;
    Atom protocols_;
    Atom deleteWindow_;
};

}  // namespace velmoran
