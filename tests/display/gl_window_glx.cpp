#ifndef _WIN32
#include "display/gl_window.h"

#include <cstdlib>

#include "display/gl_window_wayland.h"
#include "viewer/x11_glx/glx_window.h"

namespace velmoran::testing {

struct GlWindow::Parts {
    Display* display = nullptr;
    std::optional<GlxWindow> window;
    std::unique_ptr<WaylandGlWindow> wayland;
};

// The viewer's Wayland shell's window where only a compositor is named, as
// the viewer chooses its shell.
static bool OnWaylandOnly() { return std::getenv("WAYLAND_DISPLAY") && !std::getenv("DISPLAY"); }

GlWindow::GlWindow(int width, int height) : parts_(std::make_unique<Parts>()) {
    if (OnWaylandOnly()) {
        parts_->wayland = WaylandGlWindow::Open(width, height);
        return;
    }
    parts_->display = XOpenDisplay(nullptr);
    if (!parts_->display) return;
    parts_->window = CreateGlxWindow(parts_->display, ViewerWindowPlace{None, width, height});
    if (parts_->window) ShowGlxWindow(parts_->display, *parts_->window);
}

GlWindow::~GlWindow() {
    if (parts_->window) DestroyGlxWindow(parts_->display, *parts_->window);
    if (parts_->display) XCloseDisplay(parts_->display);
}

bool GlWindow::ok() const {
    if (parts_->wayland) return parts_->wayland->ok();
    return parts_->window && parts_->window->context && glXGetCurrentContext() == parts_->window->context;
}

}  // namespace velmoran::testing
#endif
