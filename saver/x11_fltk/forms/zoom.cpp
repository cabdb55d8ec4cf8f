#include "saver/x11_fltk/forms/zoom.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "saver/x11_fltk/x/display.h"
#include "saver/x11_fltk/x/x_error_trap.h"

namespace velmoran {

namespace {

// The window's ancestor that is a child of the root: its frame, if any.
Window TopLevelOf(Display* display, Window window) {
    for (;;) {
        Window root;
        Window parent;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count)) return window;
        if (children) XFree(children);
        if (parent == root || parent == None) return window;
        window = parent;
    }
}

int ScreenOf(Display* display, Window root) {
    for (int screen = 0; screen < ScreenCount(display); ++screen)
        if (RootWindow(display, screen) == root) return screen;
    return DefaultScreen(display);
}

Window RootOf(Display* display, Window window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes)) return attributes.root;
    return DefaultRootWindow(display);
}

void Animate(Display* display, Window root, const ScreenRect& from, const ScreenRect& to) {
    // Nobody else draws while the outlines are on the screen, so that taking
    // each one away restores exactly what was there.
    XGrabServer(display);
    for (int frame = 1; frame <= kZoomFrames; ++frame) {
        const ScreenRect outline = ZoomFrame(from, to, frame);
        DrawZoomOutline(display, root, outline);
        XFlush(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(kZoomFrameMilliseconds));
        DrawZoomOutline(display, root, outline);
    }
    XUngrabServer(display);
    XFlush(display);
}

}  // namespace

void ZoomOpen(const ScreenRect& outer, const ZoomAnchor& anchor) {
    Display* display = SaverDisplay();
    if (!display) return;
    XErrorTrap trap(display);
    Animate(display, DefaultRootWindow(display), AnchorRect(anchor), outer);
}

void ZoomClose(Window window, const ZoomAnchor& anchor) {
    Display* display = SaverDisplay();
    if (!display) return;
    XErrorTrap trap(display);
    const std::optional<ScreenRect> windowRect = OuterRect(display, window);
    if (windowRect) Animate(display, RootOf(display, window), *windowRect, AnchorRect(anchor));
}

std::optional<ScreenRect> OuterRect(Display* display, Window window) {
    XErrorTrap trap(display);
    Window root;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (!XGetGeometry(display, TopLevelOf(display, window), &root, &x, &y, &width, &height, &border, &depth))
        return std::nullopt;
    return ScreenRect{x, y, x + static_cast<int>(width + 2 * border), y + static_cast<int>(height + 2 * border)};
}

void DrawZoomOutline(Display* display, Window root, const ScreenRect& rect) {
    const int screen = ScreenOf(display, root);
    XGCValues values;
    values.function = GXxor;
    values.foreground = WhitePixel(display, screen) ^ BlackPixel(display, screen);
    values.subwindow_mode = IncludeInferiors;
    values.line_width = 2;
    GC gc = XCreateGC(display, root, GCFunction | GCForeground | GCSubwindowMode | GCLineWidth, &values);
    XDrawRectangle(display, root, gc, rect.left, rect.top,
                   static_cast<unsigned int>(std::max(0, rect.right - rect.left - 1)),
                   static_cast<unsigned int>(std::max(0, rect.bottom - rect.top - 1)));
    XFreeGC(display, gc);
}

}  // namespace velmoran
