#include "saver/x11_fltk/display_driver/kept_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "saver/x11_fltk/display_driver/x_screen_capture.h"
#include "saver/x11_fltk/x/x_error_trap.h"
#include "saver/x11_fltk/x/x_property.h"

namespace velmoran {

namespace {

Pixmap KeptPixmap(Display* display, Window window) {
    const Atom property = XInternAtom(display, "_SCREENSAVER_SCREENSHOT", True);
    if (property == None) return None;
    XErrorTrap trap(display);
    const std::vector<long> values = PropertyValues(display, window, property, XA_PIXMAP);
    return values.size() == 1 && !trap.Failed() ? static_cast<Pixmap>(values[0]) : None;
}

// The pixmap's size and depth, and a visual of that depth to read its colours
// by: the window's own when the depths agree, else a true-colour one.
std::optional<PictureSource> SourceOf(Display* display, Window window, Pixmap pixmap) {
    XErrorTrap trap(display);
    Window root;
    int x;
    int y;
    unsigned int width;
    unsigned int height;
    unsigned int border;
    unsigned int depth;
    XWindowAttributes attributes;
    if (!XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth) ||
        !XGetWindowAttributes(display, window, &attributes) || trap.Failed())
        return std::nullopt;
    PictureSource source{pixmap, static_cast<int>(width), static_cast<int>(height), static_cast<int>(depth),
                         attributes.visual, attributes.colormap};
    if (attributes.depth != source.depth) {
        XVisualInfo info;
        if (!XMatchVisualInfo(display, XScreenNumberOfScreen(attributes.screen), source.depth, TrueColor, &info))
            return std::nullopt;
        source.visual = info.visual;
        source.colormap = None;
    }
    return source;
}

}  // namespace

std::unique_ptr<CapturedScreen> CaptureKeptDesktop(Display* display, Window window) {
    if (!display || window == None) return nullptr;
    const Pixmap pixmap = KeptPixmap(display, window);
    if (pixmap == None) return nullptr;
    const std::optional<PictureSource> source = SourceOf(display, window, pixmap);
    if (!source) return nullptr;
    return CaptureImage(display, *source);
}

}  // namespace velmoran
