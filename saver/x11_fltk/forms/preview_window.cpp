// The preview form's window on X11: a plain X window that goes into the host
// window, whose picture FLTK composes into the window's background, so that
// the server repaints it by itself whenever it shows again.
#include <FL/Fl_Image.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xlib.h>

#include <algorithm>
#include <memory>

#include "saver/backend.h"
#include "saver/x11_fltk/x/display.h"
#include "saver/x11_fltk/widgets/embedded_jpeg.h"
#include "saver/x11_fltk/forms/managed_window.h"
#include "saver/x11_fltk/x/screen_dpi.h"
#include "saver/x11_fltk/x/x_error_trap.h"

namespace velmoran {

namespace {

// X has no windows of no size: the smallest is one pixel.
unsigned int XSize(int pixels) { return static_cast<unsigned int>(std::max(pixels, 1)); }

void DrawScaled(Fl_RGB_Image* picture, const PreviewRect& place) {
    if (!picture || place.width <= 0 || place.height <= 0) return;
    std::unique_ptr<Fl_Image> scaled(picture->copy(place.width, place.height));
    scaled->draw(place.left, place.top);
}

}  // namespace

struct PreviewWindow::Native {
    Native(Display* d, ::Window hostWindow)
        : display(d),
          // The host belongs to another program and may go at any moment;
          // requests that meet a window that has gone fail quietly.
          trap(d),
          host(hostWindow),
          closeRequest(d) {}
    ~Native() {
        if (window && !destroyed) XDestroyWindow(display, window);
        XFlush(display);
    }

    bool Ends(const XEvent& event);
    // Composes the picture again if its size or place changed.
    void Repaint();

    Display* display;
    XErrorTrap trap;
    ::Window host;
    ::Window window = 0;
    bool destroyed = false;  // by the server, with the host or on request of another program
    CloseRequest closeRequest;
    int width = 0;
    int height = 0;
    PreviewRect image;
    bool dirty = false;
    std::unique_ptr<Fl_RGB_Image> background;
    std::unique_ptr<Fl_RGB_Image> sample;
};

// Without a display there is no host to go into: nothing is made, and
// HostRect finds no host.
PreviewWindow::PreviewWindow(std::uint32_t host) {
    if (Display* display = SaverDisplay()) native_ = std::make_unique<Native>(display, host);
}

PreviewWindow::~PreviewWindow() = default;

std::optional<ScreenRect> PreviewWindow::HostRect() {
    if (!native_) return std::nullopt;
    Native& n = *native_;
    XWindowAttributes host;
    if (!XGetWindowAttributes(n.display, n.host, &host)) return std::nullopt;
    int x = 0;
    int y = 0;
    ::Window child;
    XTranslateCoordinates(n.display, n.host, host.root, 0, 0, &x, &y, &child);
    // The area inside the host's border, where its child windows live.
    return ScreenRect{x, y, x + host.width, y + host.height};
}

TwipsPerPixel PreviewWindow::ScreenTwipsPerPixel() {
    const double dpi = LogicalDpi(native_->display);
    return TwipsPerPixelAt(dpi, dpi);
}

void PreviewWindow::Load(int width, int height, const PreviewRect& image) {
    Native& n = *native_;
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(n.display, DefaultScreen(n.display));
    attributes.event_mask = StructureNotifyMask;
    n.window = XCreateWindow(n.display, DefaultRootWindow(n.display), 0, 0, XSize(width), XSize(height), 0,
                             CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    SetWindowTitle(n.display, n.window, preview_design::kCaption);
    n.closeRequest.AcceptOn(n.window);

    Fl_Image::RGB_scaling(FL_RGB_SCALING_BILINEAR);
    n.background = LoadEmbeddedJpeg(preview_design::kBackgroundPicture);
    n.sample = LoadEmbeddedJpeg(preview_design::kSamplePicture);
    n.width = width;
    n.height = height;
    n.image = image;
    n.dirty = true;
}

bool PreviewWindow::BecomeChildOfHost() {
    Native& n = *native_;
    XErrorTrap trap(n.display);
    // Watched from before the move on, so that no end of the host goes unseen.
    XSelectInput(n.display, n.host, StructureNotifyMask);
    XReparentWindow(n.display, n.window, n.host, 0, 0);
    return !trap.Failed();
}

void PreviewWindow::PlaceForm(int width, int height) {
    Native& n = *native_;
    XMoveResizeWindow(n.display, n.window, 0, 0, XSize(width), XSize(height));
    n.dirty = n.dirty || width != n.width || height != n.height;
    n.width = width;
    n.height = height;
}

void PreviewWindow::PlaceImage(const PreviewRect& image) {
    Native& n = *native_;
    n.dirty = n.dirty || image != n.image;
    n.image = image;
}

void PreviewWindow::Show() {
    Native& n = *native_;
    n.Repaint();
    XMapWindow(n.display, n.window);
    XFlush(n.display);
}

void PreviewWindow::PostClose() {
    Native& n = *native_;
    n.closeRequest.Send(n.window);
    XFlush(n.display);
}

void PreviewWindow::RunUntilGone(Velmoran_R& form) {
    Native& n = *native_;
    for (;;) {
        if (!XPending(n.display)) n.Repaint();
        XEvent event;
        XNextEvent(n.display, &event);
        if (n.Ends(event)) break;
        if (event.type == ConfigureNotify && event.xconfigure.window == n.host) form.HostResized();
    }
    form.Form_Unload();
}

bool PreviewWindow::Native::Ends(const XEvent& event) {
    switch (event.type) {
        case DestroyNotify:
            // Destroying the host destroys this window first.
            destroyed = event.xdestroywindow.window == window || event.xdestroywindow.window == host;
            return destroyed;
        case ReparentNotify:
            return event.xreparent.window == window && event.xreparent.parent != host;
        case ClientMessage:
            return closeRequest.Is(event, window);
        default:
            return false;
    }
}

void PreviewWindow::Native::Repaint() {
    if (!dirty) return;
    dirty = false;
    const unsigned int w = XSize(width);
    const unsigned int h = XSize(height);
    Fl_Offscreen picture = fl_create_offscreen(w, h);
    {
        fl_begin_offscreen(picture);
        const RgbColour back = preview_design::kBackColour;
        fl_color(back.red, back.green, back.blue);
        fl_rectf(0, 0, w, h);
        if (background) background->draw(0, 0);
        DrawScaled(sample.get(), image);
        fl_end_offscreen();
    }
    // The server keeps the picture as the window's background; the pixmap
    // itself is no longer needed.
    XSetWindowBackgroundPixmap(display, window, picture);
    fl_delete_offscreen(picture);
    XClearWindow(display, window);
    XFlush(display);
}

}  // namespace velmoran
