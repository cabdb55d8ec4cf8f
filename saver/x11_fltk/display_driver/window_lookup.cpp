#include "saver/x11_fltk/display_driver/window_lookup.h"

#include <cstring>
#include <optional>
#include <vector>

#include <X11/Xatom.h>

#include "saver/x11_fltk/display_driver/x_display_driver.h"
#include "saver/x11_fltk/program/end_signals.h"
#include "saver/x11_fltk/x/display.h"
#include "saver/x11_fltk/x/window_tree.h"
#include "saver/x11_fltk/x/x_error_trap.h"
#include "saver/x11_fltk/x/x_property.h"

namespace velmoran {

namespace {

bool PropertyIs(Display* display, Window window, Atom property, const std::string& text) {
    Atom type;
    int format;
    unsigned long count;
    unsigned long remaining;
    unsigned char* data = nullptr;
    // One 32-bit unit more than the title needs tells a longer title apart.
    const long units = static_cast<long>(text.size() / 4 + 1);
    if (XGetWindowProperty(display, window, property, 0, units, False, AnyPropertyType, &type, &format,
                           &count, &remaining, &data) != Success)
        return false;
    const bool same = data && format == 8 && remaining == 0 && count == text.size() &&
                      std::memcmp(data, text.data(), count) == 0;
    if (data) XFree(data);
    return same;
}

// Calls `found` for each window with the title until it returns false.
template <class Found>
void VisitWindowsTitled(Display* display, const std::string& title, Found found) {
    if (!display) return;
    // Windows may vanish while the tree is walked; their errors are ignored.
    XErrorTrap trap(display);
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", True);
    std::vector<Window> pending;
    for (int screen = 0; screen < ScreenCount(display); ++screen)
        pending.push_back(RootWindow(display, screen));
    // The session's end stops the walk: the viewer, asked to end by then,
    // ends sooner with the X server to itself.
    while (!pending.empty() && !EndSignals::Pending()) {
        const Window window = pending.back();
        pending.pop_back();
        if ((PropertyIs(display, window, XA_WM_NAME, title) ||
             (netWmName != None && PropertyIs(display, window, netWmName, title))) &&
            !found(window))
            return;
        for (Window child : ChildrenOf(display, window)) pending.push_back(child);
    }
}

// The process id a client gave its window in _NET_WM_PID.
std::optional<ProcessId> WindowProcess(Display* display, Window window, Atom netWmPid) {
    if (netWmPid == None) return std::nullopt;
    const std::vector<long> values = PropertyValues(display, window, netWmPid, XA_CARDINAL);
    if (values.empty()) return std::nullopt;
    return static_cast<ProcessId>(static_cast<unsigned long>(values[0]));
}

}  // namespace

Window FindWindowTitled(Display* display, const std::string& title) {
    Window first = None;
    VisitWindowsTitled(display, title, [&](Window window) {
        first = window;
        return false;
    });
    return first;
}

std::vector<std::optional<ProcessId>> x11::ProcessesOfWindowsTitled(const std::string& title) {
    Display* display = SaverDisplay();
    std::vector<std::optional<ProcessId>> processes;
    if (!display) return processes;
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", True);
    VisitWindowsTitled(display, title, [&](Window window) {
        processes.push_back(WindowProcess(display, window, netWmPid));
        return true;
    });
    // A walk cut short tells nothing of the windows it did not reach: one of
    // them may be the viewer's, so the watch waits for the end that stopped it.
    if (EndSignals::Pending()) processes.push_back(std::nullopt);
    return processes;
}

}  // namespace velmoran
