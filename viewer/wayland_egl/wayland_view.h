// One surface of the viewer on Wayland with its scene: on the overlay layer
// where the compositor has a layer shell, else a toplevel window; 1024 x 768
// logical pixels at the layout's top-left corner, or a whole output for a
// full-screen run. It is the viewer program's window system for that
// surface, and paints once for each frame the compositor asks for.
#pragma once

#include "viewer/pointer_display_count.h"
#include "viewer/scene.h"
#include "viewer/viewer_program.h"
#include "viewer/wayland_egl/egl_binding.h"
#include "viewer/wayland_egl/wayland_globals.h"

#include <cstdint>
#include <string>

struct xdg_surface;
struct xdg_toplevel;
struct zwlr_layer_surface_v1;

namespace velmoran {

// What all surfaces of one run share.
struct WaylandSession {
    WaylandGlobals& globals;
    EglDisplay& egl;
    bool quitting = false;
    bool traceFrames = false;  // a line on the error output for each frame presented
};

class WaylandView : public WindowSystem {
public:
    // On `output` (nullptr: the compositor's choice); `wholeOutput` covers it.
    WaylandView(WaylandSession& session, WaylandOutput* output, bool wholeOutput, const std::string& picture);
    ~WaylandView() override;
    WaylandView(const WaylandView&) = delete;
    WaylandView& operator=(const WaylandView&) = delete;

    // Starts the scene once the compositor has given the surface its size,
    // then paints when a frame is due. False when nothing was to do.
    bool Advance();
    void OnKey(int code, bool down) { program_.OnKey(code, down); }
    void OnPointerEnter(wl_pointer* pointer, std::uint32_t serial);
    void OnPointerLeave() { pointer_ = nullptr; }
    // The compositor took the surface away.
    void OnClosed() { program_.OnDestroy(); }
    void OnEnd() { program_.OnDestroy(); }
    // Whether its first frame is on screen.
    bool shown() const { return presented_; }

    wl_surface* surface() const { return surface_; }

    // The role's events; public for the listeners' tables.
    void OnConfigure(int width, int height);
    void OnFrameDone();
    // A toplevel's size arrives before the configure that is acknowledged.
    void OnToplevelSize(int width, int height) {
        pendingWidth_ = width;
        pendingHeight_ = height;
    }
    void OnToplevelConfigured() { OnConfigure(pendingWidth_, pendingHeight_); }

    // WindowSystem
    std::int64_t CounterFrequency() override;
    std::int64_t Counter() override;
    std::int64_t ProcessorTime() override;
    void HideCursor() override { ShowPointer(pointerCount_.Hide()); }
    void ShowCursor() override { ShowPointer(pointerCount_.Show()); }
    void ReleaseContext() override;
    void PostQuit() override { session_.quitting = true; }
    void Present() override;
    // The compositor's frame callbacks say when a frame is wanted; the two
    // below serve only a program that paces its frames itself.
    bool PacesFrames() override { return true; }
    void FinishDrawing() override;
    void WaitUntil(std::int64_t count) override;
    int RefreshRate() override;

private:
    void MakeLayerSurface(bool wholeOutput);
    void MakeToplevel();
    void ShowPointer(bool shown);
    void Resize();

    WaylandSession& session_;
    WaylandOutput* output_;
    Scene scene_;
    ViewerProgram program_{*this, scene_};
    wl_surface* surface_ = nullptr;
    zwlr_layer_surface_v1* layer_ = nullptr;
    xdg_surface* xdgSurface_ = nullptr;
    xdg_toplevel* toplevel_ = nullptr;
    wl_callback* frame_ = nullptr;
    EglWindow window_;
    int width_ = 0;  // logical pixels, as configured
    int height_ = 0;
    int pendingWidth_ = 0;
    int pendingHeight_ = 0;
    int bufferScale_ = 1;
    bool configured_ = false;
    bool started_ = false;
    bool frameDue_ = false;
    bool presented_ = false;
    wl_pointer* pointer_ = nullptr;  // while it is over the surface
    std::uint32_t enterSerial_ = 0;
    PointerDisplayCount pointerCount_;
    bool pointerShown_ = true;
};

}  // namespace velmoran
