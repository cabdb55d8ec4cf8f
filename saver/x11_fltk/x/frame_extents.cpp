#include "saver/x11_fltk/x/frame_extents.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <optional>
#include <vector>

#include "saver/x11_fltk/x/x_error_trap.h"
#include "saver/x11_fltk/x/x_property.h"

namespace velmoran {
namespace {

// A window manager answers at once; one that has not after this long will not.
constexpr std::chrono::milliseconds kAnswerTime{1000};

Atom AtomOf(Display* display, const char* name) { return XInternAtom(display, name, False); }

// A window manager that follows the standard names its check window on the
// root, and the check window names itself, and it lists what it supports.
bool ManagerTellsFrames(Display* display, Window root) {
    const Atom check = AtomOf(display, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<long> manager = PropertyValues(display, root, check, XA_WINDOW);
    if (manager.size() != 1) return false;
    const std::vector<long> self = PropertyValues(display, Window(manager[0]), check, XA_WINDOW);
    if (self.size() != 1 || self[0] != manager[0]) return false;
    const Atom request = AtomOf(display, "_NET_REQUEST_FRAME_EXTENTS");
    for (long supported : PropertyValues(display, root, AtomOf(display, "_NET_SUPPORTED"), XA_ATOM))
        if (Atom(supported) == request) return true;
    return false;
}

Window MakeProbe(Display* display, Window root, int width, int height) {
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    const Window probe = XCreateWindow(display, root, 0, 0, unsigned(width), unsigned(height), 0, CopyFromParent,
                                       InputOutput, CopyFromParent, CWEventMask, &attributes);
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PMinSize | PMaxSize;
    hints->min_width = hints->max_width = width;
    hints->min_height = hints->max_height = height;
    XSetWMNormalHints(display, probe, hints);
    XFree(hints);
    return probe;
}

void AskForFrame(Display* display, Window root, Window probe) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = probe;
    event.xclient.message_type = AtomOf(display, "_NET_REQUEST_FRAME_EXTENTS");
    event.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

// Waits for the window manager to set the probe's frame extents; only those
// property changes are taken from the queue.
std::optional<FrameExtents> AwaitFrame(Display* display, Window probe) {
    const Atom extents = AtomOf(display, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    for (;;) {
        XEvent event;
        while (XCheckTypedWindowEvent(display, probe, PropertyNotify, &event))
            if (event.xproperty.atom == extents) {
                const std::vector<long> v = PropertyValues(display, probe, extents, XA_CARDINAL);
                if (v.size() != 4) return std::nullopt;
                return FrameExtents{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
            }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, int(left.count()));
        XEventsQueued(display, QueuedAfterReading);
    }
}

}  // namespace

FrameExtents ExpectedFrame(Display* display, int width, int height) {
    if (!display || width <= 0 || height <= 0) return {};
    XErrorTrap trap(display);
    const Window root = DefaultRootWindow(display);
    if (!ManagerTellsFrames(display, root)) return {};
    const Window probe = MakeProbe(display, root, width, height);
    AskForFrame(display, root, probe);
    const std::optional<FrameExtents> frame = AwaitFrame(display, probe);
    XDestroyWindow(display, probe);
    if (trap.Failed() || !frame) return {};
    return *frame;
}

}  // namespace velmoran
