#include "saver/x11_fltk/display_driver/composited_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xcomposite.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "saver/x11_fltk/display_driver/x_screen_capture.h"
#include "saver/x11_fltk/x/window_tree.h"
#include "saver/x11_fltk/x/x_error_trap.h"
#include "saver/x11_fltk/x/x_property.h"

namespace velmoran {

namespace {

bool CompositingManagerRuns(Display* display, int screen) {
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
    const Atom selection = XInternAtom(display, name.c_str(), True);
    return selection != None && XGetSelectionOwner(display, selection) != None;
}

// The child of the root that holds `window` (the window itself when it is one).
Window TopLevelOf(Display* display, Window root, Window window) {
    XErrorTrap trap(display);
    for (;;) {
        Window rootOut;
        Window parent;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &rootOut, &parent, &children, &count) || trap.Failed()) return None;
        if (children) XFree(children);
        if (parent == root || parent == None) return window;
        window = parent;
    }
}

// Copies `part` onto `screen` with its top-left corner at (x, y), clipped to
// the screen: a window may lie partly off it.
void Paste(ScreenPicture& screen, const ScreenPicture& part, int x, int y) {
    const int left = std::max(0, x);
    const int right = std::min(screen.width, x + part.width);
    if (left >= right) return;
    for (int row = std::max(0, y); row < std::min(screen.height, y + part.height); ++row)
        std::memcpy(&screen.bgr[static_cast<std::size_t>(row) * screen.stride + static_cast<std::size_t>(left) * 3],
                    &part.bgr[static_cast<std::size_t>(row - y) * part.stride + static_cast<std::size_t>(left - x) * 3],
                    static_cast<std::size_t>(right - left) * 3);
}

// The window's contents from its redirected pixmap, as deep as the window and
// read by its own visual; its border is part of the pixmap.
std::optional<ScreenPicture> WindowContents(Display* display, Window window, const XWindowAttributes& attributes) {
    XErrorTrap trap(display);
    const Pixmap pixmap = XCompositeNameWindowPixmap(display, window);
    XSync(display, False);
    if (trap.Failed()) return std::nullopt;
    const int border = attributes.border_width;
    std::optional<ScreenPicture> contents =
        CapturePicture(display, {pixmap, attributes.width + 2 * border, attributes.height + 2 * border,
                                 attributes.depth, attributes.visual, attributes.colormap});
    XFreePixmap(display, pixmap);
    XSync(display, False);
    return trap.Failed() ? std::nullopt : contents;
}

// The root's background picture, as desktop programs publish it, over the
// screen's size; black where there is none.
ScreenPicture Background(Display* display, Window root, const XWindowAttributes& screen) {
    ScreenPicture picture;
    picture.width = screen.width;
    picture.height = screen.height;
    picture.stride = CaptureRowSize(screen.width);
    picture.bgr.assign(picture.stride * static_cast<std::size_t>(screen.height), 0);
    const Atom property = XInternAtom(display, "_XROOTPMAP_ID", True);
    if (property == None) return picture;
    XErrorTrap trap(display);
    const std::vector<long> values = PropertyValues(display, root, property, XA_PIXMAP);
    if (values.size() != 1 || trap.Failed()) return picture;
    Window rootOut;
    int x;
    int y;
    unsigned int width;
    unsigned int height;
    unsigned int border;
    unsigned int depth;
    const Pixmap pixmap = static_cast<Pixmap>(values[0]);
    if (!XGetGeometry(display, pixmap, &rootOut, &x, &y, &width, &height, &border, &depth) || trap.Failed() ||
        static_cast<int>(depth) != screen.depth)
        return picture;
    if (auto contents = CapturePicture(display, {pixmap, static_cast<int>(width), static_cast<int>(height),
                                                 screen.depth, screen.visual, screen.colormap}))
        Paste(picture, *contents, 0, 0);
    return picture;
}

}  // namespace

std::optional<ScreenPicture> CaptureCompositedDesktop(Display* display, Window window) {
    if (!display || window == None) return std::nullopt;
    int event;
    int error;
    const int screenNumber = DefaultScreen(display);
    if (!XCompositeQueryExtension(display, &event, &error) || !CompositingManagerRuns(display, screenNumber))
        return std::nullopt;
    const Window root = RootWindow(display, screenNumber);
    XWindowAttributes screen;
    if (!XGetWindowAttributes(display, root, &screen)) return std::nullopt;
    const Window host = TopLevelOf(display, root, window);
    if (host == None) return std::nullopt;
    // The windows may change while they are read; the server holds still.
    XGrabServer(display);
    ScreenPicture picture = Background(display, root, screen);
    for (const Window child : ChildrenOf(display, root)) {
        if (child == host) break;
        XErrorTrap trap(display);
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, child, &attributes) || trap.Failed()) continue;
        if (attributes.map_state != IsViewable || attributes.c_class != InputOutput) continue;
        if (auto contents = WindowContents(display, child, attributes))
            Paste(picture, *contents, attributes.x - attributes.border_width, attributes.y - attributes.border_width);
    }
    XUngrabServer(display);
    XFlush(display);
    return picture;
}

}  // namespace velmoran
