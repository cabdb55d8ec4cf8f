#include <wayland-client.h>

#include <cstdlib>

#include "saver/wayland/wayland_display_driver.h"

namespace velmoran::wayland {

namespace {

// Only a compositor the session names: wl_display_connect would otherwise try
// "wayland-0" on a desktop that runs none.
wl_display* Connect() {
    const char* named = std::getenv("WAYLAND_DISPLAY");
    if (!named || !*named) return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    if (display && wl_display_roundtrip(display) < 0) {
        wl_display_disconnect(display);
        return nullptr;
    }
    return display;
}

}  // namespace

wl_display* SessionConnection() {
    static wl_display* const display = Connect();
    return display;
}

}  // namespace velmoran::wayland
