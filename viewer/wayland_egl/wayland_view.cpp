#include "viewer/wayland_egl/wayland_view.h"

#include <cstdio>

#include "common/window_facts.h"
#include "viewer/gl.h"
#include "viewer/posix/clocks.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace velmoran {

namespace {

WaylandView& ViewOf(void* data) { return *static_cast<WaylandView*>(data); }

void OnLayerConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial, std::uint32_t width,
                      std::uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    ViewOf(data).OnConfigure(static_cast<int>(width), static_cast<int>(height));
}
void OnLayerClosed(void* data, zwlr_layer_surface_v1*) { ViewOf(data).OnClosed(); }
const zwlr_layer_surface_v1_listener kLayerListener = {&OnLayerConfigure, &OnLayerClosed};

void OnToplevelConfigure(void* data, xdg_toplevel*, std::int32_t width, std::int32_t height, wl_array*) {
    ViewOf(data).OnToplevelSize(width, height);
}
void OnToplevelClose(void* data, xdg_toplevel*) { ViewOf(data).OnClosed(); }
// Bound at version 1: no bounds or capabilities come.
const xdg_toplevel_listener kToplevelListener = {&OnToplevelConfigure, &OnToplevelClose, nullptr, nullptr};

void OnXdgSurfaceConfigure(void* data, xdg_surface* surface, std::uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    ViewOf(data).OnToplevelConfigured();
}
const xdg_surface_listener kXdgSurfaceListener = {&OnXdgSurfaceConfigure};

void OnFrame(void* data, wl_callback*, std::uint32_t) { ViewOf(data).OnFrameDone(); }
const wl_callback_listener kFrameListener = {&OnFrame};

}  // namespace

WaylandView::WaylandView(WaylandSession& session, WaylandOutput* output, bool wholeOutput,
                         const std::string& picture)
    : session_(session), output_(output), scene_(picture) {
    surface_ = wl_compositor_create_surface(session_.globals.compositor);
    if (session_.globals.layerShell)
        MakeLayerSurface(wholeOutput);
    else
        MakeToplevel();
    // The first commit, without a buffer, asks for the first configure.
    wl_surface_commit(surface_);
}

WaylandView::~WaylandView() {
    if (frame_) wl_callback_destroy(frame_);
    DestroyEglWindow(session_.egl, window_);
    if (layer_) zwlr_layer_surface_v1_destroy(layer_);
    if (toplevel_) xdg_toplevel_destroy(toplevel_);
    if (xdgSurface_) xdg_surface_destroy(xdgSurface_);
    wl_surface_destroy(surface_);
}

// Over the windows, at its output's top-left corner, taking the keyboard.
void WaylandView::MakeLayerSurface(bool wholeOutput) {
    layer_ = zwlr_layer_shell_v1_get_layer_surface(session_.globals.layerShell, surface_,
                                                   output_ ? output_->output : nullptr,
                                                   ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, kViewerWindowTitle);
    std::uint32_t anchor = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT;
    if (wholeOutput) {
        // Anchored to all four edges with no size: the output's size.
        anchor |= ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;
        zwlr_layer_surface_v1_set_size(layer_, 0, 0);
    } else {
        zwlr_layer_surface_v1_set_size(layer_, kViewerWindowWidth, kViewerWindowHeight);
    }
    zwlr_layer_surface_v1_set_anchor(layer_, anchor);
    zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);  // over panels too, moved by none
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer_,
                                                     ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    zwlr_layer_surface_v1_add_listener(layer_, &kLayerListener, this);
}

// A window of its own where the compositor places windows; it draws no frame.
void WaylandView::MakeToplevel() {
    xdgSurface_ = xdg_wm_base_get_xdg_surface(session_.globals.wmBase, surface_);
    xdg_surface_add_listener(xdgSurface_, &kXdgSurfaceListener, this);
    toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
    xdg_toplevel_add_listener(toplevel_, &kToplevelListener, this);
    xdg_toplevel_set_title(toplevel_, kViewerWindowTitle);
    xdg_toplevel_set_app_id(toplevel_, kViewerWindowTitle);
}

// A size of 0 leaves the choice to the viewer: its own window's size.
void WaylandView::OnConfigure(int width, int height) {
    width = width > 0 ? width : kViewerWindowWidth;
    height = height > 0 ? height : kViewerWindowHeight;
    const int scale = output_ ? output_->scale : 1;
    configured_ = true;
    if (width == width_ && height == height_ && scale == bufferScale_) return;
    width_ = width;
    height_ = height;
    bufferScale_ = scale;
    if (started_) Resize();
}

// The buffer has the output's pixels, so that a scaled output shows it sharp;
// the viewport follows, the perspective stays as the start set it.
void WaylandView::Resize() {
    wl_surface_set_buffer_scale(surface_, bufferScale_);
    wl_egl_window_resize(window_.native, width_ * bufferScale_, height_ * bufferScale_, 0, 0);
    MakeCurrent(session_.egl, window_);
    program_.OnResize(width_ * bufferScale_, height_ * bufferScale_);
}

bool WaylandView::Advance() {
    if (!configured_ || session_.quitting) return false;
    if (!started_) {
        started_ = true;
        wl_surface_set_buffer_scale(surface_, bufferScale_);
        window_ = CreateEglWindow(session_.egl, surface_, width_ * bufferScale_, height_ * bufferScale_);
        program_.OnResize(width_ * bufferScale_, height_ * bufferScale_);
        program_.OnPaint();  // before the scene exists: only hides the pointer
        if (!program_.Start()) {
            PostQuit();
            return true;
        }
        frameDue_ = true;
    }
    if (!frameDue_) return false;
    frameDue_ = false;
    MakeCurrent(session_.egl, window_);
    program_.OnPaint();
    return true;
}

void WaylandView::OnFrameDone() {
    wl_callback_destroy(frame_);
    frame_ = nullptr;
    frameDue_ = true;
}

void WaylandView::OnPointerEnter(wl_pointer* pointer, std::uint32_t serial) {
    pointer_ = pointer;
    enterSerial_ = serial;
    if (!pointerShown_) wl_pointer_set_cursor(pointer_, enterSerial_, nullptr, 0, 0);
}

// Only a change reaches the compositor: frames hide the pointer at every
// paint. A surface with no picture hides it; showing it again is the
// compositor's, once the pointer leaves or the surface goes.
void WaylandView::ShowPointer(bool shown) {
    if (shown == pointerShown_) return;
    pointerShown_ = shown;
    if (!shown && pointer_) wl_pointer_set_cursor(pointer_, enterSerial_, nullptr, 0, 0);
}

std::int64_t WaylandView::CounterFrequency() { return kNanoseconds; }

std::int64_t WaylandView::Counter() { return NanosecondsOf(CLOCK_MONOTONIC); }

std::int64_t WaylandView::ProcessorTime() { return NanosecondsOf(CLOCK_PROCESS_CPUTIME_ID); }

void WaylandView::FinishDrawing() { glFinish(); }

void WaylandView::WaitUntil(std::int64_t count) { SleepUntilMonotonic(count); }

void WaylandView::ReleaseContext() { ReleaseEglContext(session_.egl, window_); }

// The next frame is asked for before this one is committed, so that the
// compositor says when it has shown it.
void WaylandView::Present() {
    if (!frame_) {
        frame_ = wl_surface_frame(surface_);
        wl_callback_add_listener(frame_, &kFrameListener, this);
    }
    if (window_.context != EGL_NO_CONTEXT) {
        eglSwapBuffers(session_.egl.display, window_.surface);
    } else {
        wl_surface_commit(surface_);
    }
    presented_ = true;
    if (session_.traceFrames) std::fprintf(stderr, "frame %lld\n", static_cast<long long>(Counter() / 1000000));
}

int WaylandView::RefreshRate() { return output_ ? (output_->refreshMillihertz + 500) / 1000 : 0; }

}  // namespace velmoran
