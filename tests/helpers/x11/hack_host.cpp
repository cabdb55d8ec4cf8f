// hack_host <kept|wrong-type|gone|none|desktop> [<width> <height>]: a
// stand-in for the window XScreenSaver makes for its display mode: black,
// unmanaged, at the screen's top-left corner, the whole screen unless a size
// is given. Prints its window id (decimal) once it is mapped, and stays until
// its standard input ends. The "desktop" is a picture of the screen's size in
// four quadrants, top-left (200, 30, 30), top-right (30, 200, 30), bottom-left
// (30, 30, 200), bottom-right (200, 200, 30). The _SCREENSAVER_SCREENSHOT
// property of the window:
//   kept        names a pixmap holding the desktop;
//   wrong-type  holds a number of type CARDINAL instead of a pixmap;
//   gone        names a pixmap that no longer exists;
//   none        is not set.
// "desktop" sets no property and shows the desktop itself, standing for the
// desktop a real XScreenSaver then covers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

unsigned long Pixel(Display* d, int r, int g, int b) {
    XColor colour{};
    colour.red = static_cast<unsigned short>(r * 257);
    colour.green = static_cast<unsigned short>(g * 257);
    colour.blue = static_cast<unsigned short>(b * 257);
    colour.flags = DoRed | DoGreen | DoBlue;
    XAllocColor(d, DefaultColormap(d, DefaultScreen(d)), &colour);
    return colour.pixel;
}

Pixmap KeptDesktop(Display* d, Window w, int width, int height) {
    const Pixmap p = XCreatePixmap(d, w, static_cast<unsigned>(width), static_cast<unsigned>(height),
                                   static_cast<unsigned>(DefaultDepth(d, DefaultScreen(d))));
    const GC gc = XCreateGC(d, p, 0, nullptr);
    const int quadrants[4][3] = {{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {200, 200, 30}};
    for (int i = 0; i < 4; ++i) {
        XSetForeground(d, gc, Pixel(d, quadrants[i][0], quadrants[i][1], quadrants[i][2]));
        const int x = i % 2 * width / 2, y = i / 2 * height / 2;
        XFillRectangle(d, p, gc, x, y, static_cast<unsigned>(width - width / 2),
                       static_cast<unsigned>(height - height / 2));
    }
    XFreeGC(d, gc);
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) return 2;
    const char* mode = argv[1];
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const int screen = DefaultScreen(d);
    const int screenWidth = DisplayWidth(d, screen), screenHeight = DisplayHeight(d, screen);
    const int width = argc == 4 ? std::atoi(argv[2]) : screenWidth;
    const int height = argc == 4 ? std::atoi(argv[3]) : screenHeight;
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(d, screen);
    attributes.event_mask = StructureNotifyMask;
    const Window w = XCreateWindow(d, RootWindow(d, screen), 0, 0, static_cast<unsigned>(width),
                                   static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                   CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    XStoreName(d, w, "XScreenSaver");
    const Atom property = XInternAtom(d, "_SCREENSAVER_SCREENSHOT", False);
    if (std::strcmp(mode, "kept") == 0 || std::strcmp(mode, "gone") == 0) {
        Pixmap p = KeptDesktop(d, w, screenWidth, screenHeight);
        if (std::strcmp(mode, "gone") == 0) XFreePixmap(d, p);
        XChangeProperty(d, w, property, XA_PIXMAP, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&p), 1);
    } else if (std::strcmp(mode, "desktop") == 0) {
        XSetWindowBackgroundPixmap(d, w, KeptDesktop(d, w, screenWidth, screenHeight));
    } else if (std::strcmp(mode, "wrong-type") == 0) {
        long number = 12345;
        XChangeProperty(d, w, property, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&number),
                        1);
    }
    XMapRaised(d, w);
    for (XEvent e; XNextEvent(d, &e), e.type != MapNotify;) {
    }
    XSync(d, False);
    std::printf("%lu\n", static_cast<unsigned long>(w));
    std::fflush(stdout);
    char rest[64];
    while (read(0, rest, sizeof rest) > 0) {
    }
    XCloseDisplay(d);
    return 0;
}
