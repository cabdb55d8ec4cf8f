#include "saver/x11_fltk/preview_window.h"

#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xatom.h>

#include <algorithm>
#include <cstring>

#include "saver/x11_fltk/embedded_jpeg.h"
#include "saver/x11_fltk/screen_dpi.h"
#include "saver/x11_fltk/x_error_trap.h"

namespace velmoran {

namespace {

void SetTitle(Display* display, Window window, const char* title) {
    XStoreName(display, window, title);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), static_cast<int>(std::strlen(title)));
}

// X has no windows of no size: the smallest is one pixel.
unsigned int XSize(int pixels) { return static_cast<unsigned int>(std::max(pixels, 1)); }

void DrawScaled(Fl_RGB_Image* picture, const PixelRect& place) {
    if (!picture || place.width <= 0 || place.height <= 0) return;
    std::unique_ptr<Fl_Image> scaled(picture->copy(place.width, place.height));
    scaled->draw(place.left, place.top);
}

}  // namespace

X11PreviewWindow::X11PreviewWindow(Display* display, Window host)
    : display_(display),
      host_(host),
      protocols_(XInternAtom(display, "WM_PROTOCOLS", False)),
      deleteWindow_(XInternAtom(display, "WM_DELETE_WINDOW", False)) {}

X11PreviewWindow::~X11PreviewWindow() {
    if (window_ && !destroyed_) XDestroyWindow(display_, window_);
    XFlush(display_);
}

std::optional<ScreenRect> X11PreviewWindow::HostRect() {
    XWindowAttributes host;
    if (!XGetWindowAttributes(display_, host_, &host)) return std::nullopt;
    int x = 0;
    int y = 0;
    Window child;
    XTranslateCoordinates(display_, host_, host.root, 0, 0, &x, &y, &child);
    // The area inside the host's border, where its child windows live.
    return ScreenRect{x, y, x + host.width, y + host.height};
}

TwipsPerPixel X11PreviewWindow::ScreenTwipsPerPixel() {
    const double dpi = LogicalDpi(display_);
    return TwipsPerPixelAt(dpi, dpi);
}

void X11PreviewWindow::Load(int width, int height, const PixelRect& image) {
    XSetWindowAttributes attributes{};
    attributes.background_pixel = BlackPixel(display_, DefaultScreen(display_));
    attributes.event_mask = StructureNotifyMask;
    window_ = XCreateWindow(display_, DefaultRootWindow(display_), 0, 0, XSize(width), XSize(height), 0,
                            CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    SetTitle(display_, window_, preview_design::kCaption);
    XSetWMProtocols(display_, window_, &deleteWindow_, 1);

    Fl_Image::RGB_scaling(FL_RGB_SCALING_BILINEAR);
    background_ = LoadEmbeddedJpeg(preview_design::kBackgroundPicture);
    sample_ = LoadEmbeddedJpeg(preview_design::kSamplePicture);
    width_ = width;
    height_ = height;
    image_ = image;
    dirty_ = true;
}

bool X11PreviewWindow::BecomeChildOfHost() {
    XErrorTrap trap(display_);
    // Watched from before the move on, so that no end of the host goes unseen.
    XSelectInput(display_, host_, StructureNotifyMask);
    XReparentWindow(display_, window_, host_, 0, 0);
    return !trap.Failed();
}

void X11PreviewWindow::PlaceForm(int width, int height) {
    XMoveResizeWindow(display_, window_, 0, 0, XSize(width), XSize(height));
    dirty_ = dirty_ || width != width_ || height != height_;
    width_ = width;
    height_ = height;
}

void X11PreviewWindow::PlaceImage(const PixelRect& image) {
    dirty_ = dirty_ || image != image_;
    image_ = image;
}

void X11PreviewWindow::Show() {
    Repaint();
    XMapWindow(display_, window_);
    XFlush(display_);
}

void X11PreviewWindow::PostClose() {
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window_;
    close.xclient.message_type = protocols_;
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(deleteWindow_);
    close.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window_, False, NoEventMask, &close);
    XFlush(display_);
}

void X11PreviewWindow::RunUntilGone(Velmoran_R& form) {
    for (;;) {
        if (!XPending(display_)) Repaint();
        XEvent event;
        XNextEvent(display_, &event);
        if (Ends(event)) break;
        if (event.type == ConfigureNotify && event.xconfigure.window == host_) form.HostResized();
    }
    form.Form_Unload();
}

bool X11PreviewWindow::Ends(const XEvent& event) {
    switch (event.type) {
        case DestroyNotify:
            // Destroying the host destroys this window first.
            destroyed_ = event.xdestroywindow.window == window_ || event.xdestroywindow.window == host_;
            return destroyed_;
        case ReparentNotify:
            return event.xreparent.window == window_ && event.xreparent.parent != host_;
        case ClientMessage:
            return IsCloseRequest(event);
        default:
            return false;
    }
}

bool X11PreviewWindow::IsCloseRequest(const XEvent& event) const {
    return event.xclient.window == window_ && event.xclient.message_type == protocols_ &&
           static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_;
}

void X11PreviewWindow::Repaint() {
    if (!dirty_) return;
    dirty_ = false;
    const unsigned int width = XSize(width_);
    const unsigned int height = XSize(height_);
    Fl_Offscreen picture = fl_create_offscreen(width, height);
    {
        fl_begin_offscreen(picture);
        const RgbColour back = preview_design::kBackColour;
        fl_color(back.red, back.green, back.blue);
        fl_rectf(0, 0, width, height);
        if (background_) background_->draw(0, 0);
        DrawScaled(sample_.get(), image_);
        fl_end_offscreen();
    }
    // The server keeps the picture as the window's background; the pixmap
    // itself is no longer needed.
    XSetWindowBackgroundPixmap(display_, window_, picture);
    fl_delete_offscreen(picture);
    XClearWindow(display_, window_);
    XFlush(display_);
}

}  // namespace velmoran
