#include "saver/x11_fltk/window_lookup.h"

#include <cstring>
#include <vector>

#include <X11/Xatom.h>

#include "saver/backend.h"
#include "saver/x11_fltk/display.h"
#include "saver/x11_fltk/x_error_trap.h"

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

std::vector<Window> ChildrenOf(Display* display, Window window) {
    Window root;
    Window parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return {};
    std::vector<Window> list(children, children + count);
    if (children) XFree(children);
    return list;
}

}  // namespace

Window FindWindowTitled(Display* display, const std::string& title) {
    if (!display) return None;
    // Windows may vanish while the tree is walked; their errors are ignored.
    XErrorTrap trap(display);
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", True);
    std::vector<Window> pending;
    for (int screen = 0; screen < ScreenCount(display); ++screen)
        pending.push_back(RootWindow(display, screen));
    while (!pending.empty()) {
        const Window window = pending.back();
        pending.pop_back();
        if (PropertyIs(display, window, XA_WM_NAME, title) ||
            (netWmName != None && PropertyIs(display, window, netWmName, title)))
            return window;
        for (Window child : ChildrenOf(display, window)) pending.push_back(child);
    }
    return None;
}

bool WindowExists(const std::string& title) {
    Display* display = SaverDisplay();
    return display && WindowTitled(display, title);
}

}  // namespace velmoran
