// The compositor's globals the viewer's Wayland shell uses, bound from the
// registry in one round trip, and its outputs with their place, size, scale
// and refresh rate.
#pragma once

#include <wayland-client.h>

#include <memory>
#include <vector>

struct xdg_wm_base;
struct zwlr_layer_shell_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace velmoran {

struct WaylandOutput {
    wl_output* output = nullptr;
    zxdg_output_v1* described = nullptr;
    std::uint32_t name = 0;  // the registry's
    int x = 0, y = 0;        // logical place in the layout
    int scale = 1;
    int refreshMillihertz = 0;
};

struct WaylandGlobals {
    wl_display* display = nullptr;
    wl_registry* registry = nullptr;
    wl_compositor* compositor = nullptr;
    wl_seat* seat = nullptr;
    xdg_wm_base* wmBase = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
    zxdg_output_manager_v1* outputManager = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> outputs;
};

// Binds the globals and learns the outputs; false when the compositor offers
// no compositor global or neither shell.
bool BindGlobals(WaylandGlobals& globals);

// Destroys what BindGlobals bound (not the display).
void ReleaseGlobals(WaylandGlobals& globals);

// The output at the layout's top-left corner; nullptr when there is none.
WaylandOutput* TopLeftOutput(const WaylandGlobals& globals);

}  // namespace velmoran
