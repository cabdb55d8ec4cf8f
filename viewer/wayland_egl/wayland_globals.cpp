#include "viewer/wayland_egl/wayland_globals.h"

#include <algorithm>
#include <cstring>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"
#include "xdg-shell-client-protocol.h"

namespace velmoran {

namespace {

void OnPing(void*, xdg_wm_base* base, std::uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBaseListener = {&OnPing};

void OnGeometry(void*, wl_output*, int, int, int, int, int, const char*, const char*, int) {}
void OnMode(void* data, wl_output*, std::uint32_t flags, int, int, int refresh) {
    if (flags & WL_OUTPUT_MODE_CURRENT) static_cast<WaylandOutput*>(data)->refreshMillihertz = refresh;
}
void OnDone(void*, wl_output*) {}
void OnScale(void* data, wl_output*, int scale) { static_cast<WaylandOutput*>(data)->scale = std::max(scale, 1); }
// Bound at version 2: no names or descriptions come.
const wl_output_listener kOutputListener = {&OnGeometry, &OnMode, &OnDone, &OnScale, nullptr, nullptr};

void OnLogicalPosition(void* data, zxdg_output_v1*, int x, int y) {
    auto* output = static_cast<WaylandOutput*>(data);
    output->x = x;
    output->y = y;
}
void OnLogicalSize(void*, zxdg_output_v1*, int, int) {}
void OnXdgDone(void*, zxdg_output_v1*) {}
void OnName(void*, zxdg_output_v1*, const char*) {}
void OnDescription(void*, zxdg_output_v1*, const char*) {}
const zxdg_output_v1_listener kXdgOutputListener = {&OnLogicalPosition, &OnLogicalSize, &OnXdgDone, &OnName,
                                                    &OnDescription};

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface, std::uint32_t offered,
        std::uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    auto& globals = *static_cast<WaylandGlobals*>(data);
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        globals.compositor = Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, 4);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals.seat) {
        globals.seat = Bind<wl_seat>(registry, name, &wl_seat_interface, version, 5);
    } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
        globals.wmBase = Bind<xdg_wm_base>(registry, name, &xdg_wm_base_interface, version, 1);
        xdg_wm_base_add_listener(globals.wmBase, &kWmBaseListener, nullptr);
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        globals.layerShell = Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, 4);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        globals.outputManager =
            Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface, version, 2);
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto output = std::make_unique<WaylandOutput>();
        output->name = name;
        output->output = Bind<wl_output>(registry, name, &wl_output_interface, version, 2);
        wl_output_add_listener(output->output, &kOutputListener, output.get());
        globals.outputs.push_back(std::move(output));
    }
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistryListener = {&OnGlobal, &OnGlobalRemove};

}  // namespace

bool BindGlobals(WaylandGlobals& globals) {
    globals.registry = wl_display_get_registry(globals.display);
    wl_registry_add_listener(globals.registry, &kRegistryListener, &globals);
    wl_display_roundtrip(globals.display);
    if (!globals.compositor || (!globals.layerShell && !globals.wmBase)) return false;
    if (globals.outputManager)
        for (auto& output : globals.outputs) {
            output->described = zxdg_output_manager_v1_get_xdg_output(globals.outputManager, output->output);
            zxdg_output_v1_add_listener(output->described, &kXdgOutputListener, output.get());
        }
    // The outputs' modes, scales and places.
    wl_display_roundtrip(globals.display);
    return true;
}

void ReleaseGlobals(WaylandGlobals& globals) {
    for (auto& output : globals.outputs) {
        if (output->described) zxdg_output_v1_destroy(output->described);
        wl_output_destroy(output->output);
    }
    globals.outputs.clear();
    if (globals.outputManager) zxdg_output_manager_v1_destroy(globals.outputManager);
    // Its destroy request came with version 3.
    if (globals.layerShell && zwlr_layer_shell_v1_get_version(globals.layerShell) >= 3)
        zwlr_layer_shell_v1_destroy(globals.layerShell);
    else if (globals.layerShell)
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(globals.layerShell));
    if (globals.wmBase) xdg_wm_base_destroy(globals.wmBase);
    if (globals.seat) wl_seat_destroy(globals.seat);
    if (globals.compositor) wl_compositor_destroy(globals.compositor);
    if (globals.registry) wl_registry_destroy(globals.registry);
}

WaylandOutput* TopLeftOutput(const WaylandGlobals& globals) {
    WaylandOutput* found = nullptr;
    for (const auto& output : globals.outputs)
        if (!found || output->y < found->y || (output->y == found->y && output->x < found->x))
            found = output.get();
    return found;
}

}  // namespace velmoran
