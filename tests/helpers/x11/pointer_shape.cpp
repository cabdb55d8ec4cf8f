// pointer_shape: prints the X server's current pointer picture as
// "<width> <height> <hot x> <hot y> <shown pixels>", whichever program set
// it (FLTK's windows, or Wine's for a Windows program). Exit status 1 without
// the XFixes extension.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    int event = 0, error = 0;
    XFixesCursorImage* image = XFixesQueryExtension(display, &event, &error) ? XFixesGetCursorImage(display) : nullptr;
    if (!image) {
        XCloseDisplay(display);
        return 1;
    }
    int shown = 0;
    for (int i = 0; i < image->width * image->height; ++i)
        if ((image->pixels[i] >> 24) & 0xFF) ++shown;
    std::printf("%d %d %d %d %d\n", image->width, image->height, image->xhot, image->yhot, shown);
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
