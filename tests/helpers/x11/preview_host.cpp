// preview_host <width> <height> [<x> <y>]: a frame at x, y (100, 100 unless
// given) holding, 10 pixels in, a magenta host window of that size for the
// saver's preview, as the display settings' little monitor would. Prints the
// host's window id in decimal, then obeys lines on standard input:
//   query                    prints each window inside the host as
//                            "child <left>,<top> <width>x<height> child
//                            <visible|hidden> <title>", then "end"
//   resize <width> <height>  gives the host (and its frame) another size
//   end-preview              destroys the windows inside the host
//   destroy                  destroys the host and ends
// and ends at the end of its input.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr int kFrameMargin = 10;

unsigned long Magenta(Display* display) {
    XColor colour{};
    colour.red = colour.blue = 0xffff;
    colour.flags = DoRed | DoGreen | DoBlue;
    XAllocColor(display, DefaultColormap(display, DefaultScreen(display)), &colour);
    return colour.pixel;
}

struct Host {
    Display* display;
    Window frame;
    Window host;

    void Resize(int width, int height) {
        XResizeWindow(display, frame, width + 2 * kFrameMargin, height + 2 * kFrameMargin);
        XResizeWindow(display, host, width, height);
    }
};

void PrintChildren(Display* display, Window host) {
    Window root, parent, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, host, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes child;
            if (!XGetWindowAttributes(display, children[i], &child)) continue;
            char* title = nullptr;
            XFetchName(display, children[i], &title);
            std::printf("child %d,%d %dx%d child %s %s\n", child.x, child.y, child.width, child.height,
                        child.map_state == IsViewable ? "visible" : "hidden", title ? title : "");
            if (title) XFree(title);
        }
        if (children) XFree(children);
    }
    std::puts("end");
    std::fflush(stdout);
}

// Obeys one line; false when the host is to end.
bool Obey(Host& h, const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "query") {
        PrintChildren(h.display, h.host);
    } else if (command == "resize") {
        int width = 0, height = 0;
        if (words >> width >> height && width > 0 && height > 0) h.Resize(width, height);
    } else if (command == "end-preview") {
        XDestroySubwindows(h.display, h.host);
    } else if (command == "destroy") {
        XDestroyWindow(h.display, h.host);
        XSync(h.display, False);
        return false;
    }
    XSync(h.display, False);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: preview_host <width> <height> [<x> <y>]\n");
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const int x = argc == 5 ? std::atoi(argv[3]) : 100, y = argc == 5 ? std::atoi(argv[4]) : 100;
    Display* display = XOpenDisplay(nullptr);
    if (!display || width <= 0 || height <= 0) return 1;
    // A window inside the host may go while it is looked at.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });

    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
    const Window frame = XCreateWindow(display, DefaultRootWindow(display), x, y, width + 2 * kFrameMargin,
                                       height + 2 * kFrameMargin, 0, CopyFromParent, InputOutput, CopyFromParent,
                                       CWOverrideRedirect | CWBackPixel, &attributes);
    const Window host =
        XCreateSimpleWindow(display, frame, kFrameMargin, kFrameMargin, width, height, 0, 0, Magenta(display));
    XStoreName(display, frame, "Preview Host");
    XMapWindow(display, host);
    XMapWindow(display, frame);
    XSync(display, False);
    std::printf("%lu\n", host);
    std::fflush(stdout);

    Host h{display, frame, host};
    // The host asks for no events, so it only has to wait for its input.
    for (std::string line; std::getline(std::cin, line);)
        if (!Obey(h, line)) break;
    XCloseDisplay(display);
    return 0;
}
