// pattern_window [plain]: covers the whole screen with a grid of solid blocks,
// 8 across and 6 down, each of its own colour, until it is killed. Block i
// (counted across, then down) has red 9 + 34 (i mod 8), green 3 + 41 (i div 8)
// and blue 250 - 5 i. "plain" uses colours made of full and empty primaries
// only, which every screen depth shows exactly.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace {

constexpr int kColumns = 8;
constexpr int kRows = 6;

void BlockColour(int i, bool plain, unsigned short rgb[3]) {
    if (plain) {
        const int k = (i * 5 + i / kColumns + 1) % 8;  // block 0 red
        rgb[0] = (k & 1) ? 255 : 0;
        rgb[1] = (k & 2) ? 255 : 0;
        rgb[2] = (k & 4) ? 255 : 0;
        return;
    }
    rgb[0] = static_cast<unsigned short>(9 + 34 * (i % kColumns));
    rgb[1] = static_cast<unsigned short>(3 + 41 * (i / kColumns));
    rgb[2] = static_cast<unsigned short>(250 - 5 * i);
}

void Paint(Display* d, Window w, GC gc, int width, int height, bool plain) {
    const Colormap map = DefaultColormap(d, DefaultScreen(d));
    for (int i = 0; i < kColumns * kRows; ++i) {
        unsigned short rgb[3];
        BlockColour(i, plain, rgb);
        XColor colour{};
        colour.red = static_cast<unsigned short>(rgb[0] * 257);
        colour.green = static_cast<unsigned short>(rgb[1] * 257);
        colour.blue = static_cast<unsigned short>(rgb[2] * 257);
        colour.flags = DoRed | DoGreen | DoBlue;
        XAllocColor(d, map, &colour);
        XSetForeground(d, gc, colour.pixel);
        const int c = i % kColumns, r = i / kColumns;
        const int x0 = c * width / kColumns, y0 = r * height / kRows;
        XFillRectangle(d, w, gc, x0, y0, static_cast<unsigned>((c + 1) * width / kColumns - x0),
                       static_cast<unsigned>((r + 1) * height / kRows - y0));
    }
    XSync(d, False);
}

}  // namespace

int main(int argc, char** argv) {
    const bool plain = argc > 1 && std::strcmp(argv[1], "plain") == 0;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return 1;
    const int screen = DefaultScreen(d);
    const int width = DisplayWidth(d, screen), height = DisplayHeight(d, screen);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.event_mask = ExposureMask;
    const Window w = XCreateWindow(d, RootWindow(d, screen), 0, 0, static_cast<unsigned>(width),
                                   static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                   CWOverrideRedirect | CWEventMask, &attributes);
    XStoreName(d, w, "Velmoran pattern");
    const GC gc = XCreateGC(d, w, 0, nullptr);
    XMapRaised(d, w);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == Expose && e.xexpose.count == 0) Paint(d, w, gc, width, height, plain);
    }
}
