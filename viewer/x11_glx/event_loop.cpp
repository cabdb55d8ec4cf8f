#include "viewer/x11_glx/event_loop.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <poll.h>

#include "viewer/posix/end_signals.h"

namespace velmoran {

namespace {

struct WindowState {
    Window window;
    Atom closeRequest;
    int width;
    int height;
};

void Dispatch(const XEvent& event, WindowState& state, ViewerProgram& program) {
    switch (event.type) {
    case KeyPress:
    case KeyRelease: {
        XKeyEvent key = event.xkey;
        program.OnKey(KeyTableCode(XLookupKeysym(&key, 0)), event.type == KeyPress);
        break;
    }
    case ConfigureNotify:
        if (event.xconfigure.width == state.width && event.xconfigure.height == state.height) break;
        state.width = event.xconfigure.width;
        state.height = event.xconfigure.height;
        program.OnResize(state.width, state.height);
        break;
    case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == state.closeRequest) program.OnDestroy();
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == state.window) program.OnDestroy();
        break;
    }
}

// Waits for an X event or an end signal, at most `milliseconds`. Called when
// XPending has just flushed the requests and found no event queued.
void WaitForEvents(Display* display, int milliseconds) {
    pollfd watched[2] = {{ConnectionNumber(display), POLLIN, 0}, {EndSignalDescriptor(), POLLIN, 0}};
    poll(watched, 2, milliseconds);
}

}  // namespace

int KeyTableCode(KeySym symbol) {
    switch (symbol) {
    case XK_BackSpace: return 8;
    case XK_Tab: return 9;
    case XK_Return: return 13;
    case XK_Escape: return kEscapeKey;
    case XK_Delete: return 127;
    }
    return symbol >= XK_space && symbol <= XK_ydiaeresis ? static_cast<int>(symbol) : -1;
}

void RunEventLoop(Display* display, X11WindowSystem& system, ViewerProgram& program,
                  const GlxWindow& window) {
    // A key held down repeats as presses only, so it stays down between paints.
    XkbSetDetectableAutoRepeat(display, True, nullptr);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window.window, &attributes);
    WindowState state{window.window, XInternAtom(display, "WM_DELETE_WINDOW", False), attributes.width,
                      attributes.height};
    program.OnResize(state.width, state.height);
    ShowGlxWindow(display, window);
    program.OnPaint();  // before the scene exists: only hides the pointer
    if (!program.Start()) return;

    // Events are waited for, not polled, until the next frame is due, so
    // that a key is seen at once and no time is spent spinning.
    while (!system.quitting()) {
        if (EndSignalled()) {
            program.OnDestroy();
        } else if (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            Dispatch(event, state, program);
        } else if (const int wait = program.MillisecondsToNextFrame(); wait > 0) {
            WaitForEvents(display, wait);
        } else {
            program.OnPaint();
        }
    }
}

}  // namespace velmoran
