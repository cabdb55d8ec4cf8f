#ifndef _WIN32
#include "display/gl_window.h"

#include "viewer/x11_glx/glx_window.h"

namespace velmoran::testing {

struct GlWindow::Parts {
    Display* display = nullptr;
    std::optional<GlxWindow> window;
};

GlWindow::GlWindow(int width, int height) : parts_(std::make_unique<Parts>()) {
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
    return parts_->window && parts_->window->context && glXGetCurrentContext() == parts_->window->context;
}

}  // namespace velmoran::testing
#endif
