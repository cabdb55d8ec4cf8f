#ifndef _WIN32
#include "display/gl_window_wayland.h"

#include "common/window_facts.h"
#include "viewer/wayland_egl/egl_binding.h"
#include "viewer/wayland_egl/wayland_globals.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace velmoran::testing {

struct WaylandGlWindow::Parts {
    WaylandGlobals globals;
    EglDisplay egl;
    wl_surface* surface = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    zwlr_layer_surface_v1* layer = nullptr;
    EglWindow window;
    bool configured = false;
};

namespace {

using Parts = WaylandGlWindow::Parts;

void OnXdgConfigure(void* data, xdg_surface* surface, std::uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    static_cast<Parts*>(data)->configured = true;
}
const xdg_surface_listener kXdgSurfaceListener = {&OnXdgConfigure};

void OnToplevelConfigure(void*, xdg_toplevel*, std::int32_t, std::int32_t, wl_array*) {}
void OnToplevelClose(void*, xdg_toplevel*) {}
const xdg_toplevel_listener kToplevelListener = {&OnToplevelConfigure, &OnToplevelClose, nullptr, nullptr};

void OnLayerConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t,
                      std::uint32_t) {
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    static_cast<Parts*>(data)->configured = true;
}
void OnLayerClosed(void*, zwlr_layer_surface_v1*) {}
const zwlr_layer_surface_v1_listener kLayerListener = {&OnLayerConfigure, &OnLayerClosed};

void MakeRole(Parts& parts, int width, int height) {
    if (parts.globals.wmBase) {
        parts.xdgSurface = xdg_wm_base_get_xdg_surface(parts.globals.wmBase, parts.surface);
        xdg_surface_add_listener(parts.xdgSurface, &kXdgSurfaceListener, &parts);
        parts.toplevel = xdg_surface_get_toplevel(parts.xdgSurface);
        xdg_toplevel_add_listener(parts.toplevel, &kToplevelListener, &parts);
        xdg_toplevel_set_title(parts.toplevel, kViewerWindowTitle);
        return;
    }
    parts.layer = zwlr_layer_shell_v1_get_layer_surface(parts.globals.layerShell, parts.surface, nullptr,
                                                        ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, kViewerWindowTitle);
    zwlr_layer_surface_v1_set_size(parts.layer, width, height);
    zwlr_layer_surface_v1_add_listener(parts.layer, &kLayerListener, &parts);
}

}  // namespace

WaylandGlWindow::WaylandGlWindow(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}

std::unique_ptr<WaylandGlWindow> WaylandGlWindow::Open(int width, int height) {
    auto parts = std::make_unique<Parts>();
    parts->globals.display = wl_display_connect(nullptr);
    if (!parts->globals.display) return nullptr;
    auto made = std::make_unique<WaylandGlWindow>(std::move(parts));
    Parts& p = *made->parts_;
    if (!BindGlobals(p.globals) || !OpenEglDisplay(p.globals.display, p.egl)) return nullptr;
    p.surface = wl_compositor_create_surface(p.globals.compositor);
    MakeRole(p, width, height);
    wl_surface_commit(p.surface);
    while (!p.configured)
        if (wl_display_dispatch(p.globals.display) < 0) return nullptr;
    p.window = CreateEglWindow(p.egl, p.surface, width, height);
    return made;
}

WaylandGlWindow::~WaylandGlWindow() {
    Parts& p = *parts_;
    if (p.egl.display != EGL_NO_DISPLAY) DestroyEglWindow(p.egl, p.window);
    if (p.layer) zwlr_layer_surface_v1_destroy(p.layer);
    if (p.toplevel) xdg_toplevel_destroy(p.toplevel);
    if (p.xdgSurface) xdg_surface_destroy(p.xdgSurface);
    if (p.surface) wl_surface_destroy(p.surface);
    CloseEglDisplay(p.egl);
    ReleaseGlobals(p.globals);
    wl_display_disconnect(p.globals.display);
}

bool WaylandGlWindow::ok() const {
    return parts_->window.context != EGL_NO_CONTEXT && eglGetCurrentContext() == parts_->window.context;
}

}  // namespace velmoran::testing
#endif
