#include "saver/x11/window_by_title.h"

#include <X11/Xatom.h>

#include <cstring>

#include "saver/x11/x_error_trap.h"

namespace velmoran {

namespace {

bool PropertyIs(Display* d, Window w, Atom property, const char* text) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    const long words = static_cast<long>(std::strlen(text) / 4 + 1);
    if (XGetWindowProperty(d, w, property, 0, words, False, AnyPropertyType, &type, &format, &count, &after,
                           &data) != Success)
        return false;
    const bool same = data && format == 8 && after == 0 && count == std::strlen(text) &&
                      std::memcmp(data, text, count) == 0;
    if (data) XFree(data);
    return same;
}

// Depth first through the window tree: the frames of a window manager put a
// program's windows one level or more below the root.
Window FindBelow(Display* d, Window parent, const char* title, Atom netName) {
    Window root, up, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        const Window w = children[i];
        if (PropertyIs(d, w, netName, title) || PropertyIs(d, w, XA_WM_NAME, title))
            found = w;
        else
            found = FindBelow(d, w, title, netName);
    }
    if (children) XFree(children);
    return found;
}

}  // namespace

Window FindWindowTitled(Display* d, const char* title) {
    if (!d || !title) return 0;
    // Windows may vanish while the tree is walked; their errors are ignored.
    XErrorTrap trap(d);
    return FindBelow(d, DefaultRootWindow(d), title, XInternAtom(d, "_NET_WM_NAME", False));
}

}  // namespace velmoran
