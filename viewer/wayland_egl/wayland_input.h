// The seat's keyboard and pointer: keys through the compositor's keymap
// (xkbcommon) to the key table's codes, and where the pointer enters which
// surface. Everything else the seat sends is ignored.
#pragma once

#include <wayland-client.h>

#include <cstdint>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace velmoran {

class InputSink {
public:
    virtual ~InputSink() = default;
    virtual void OnKey(int code, bool down) = 0;
    virtual void OnPointerEnter(wl_surface* surface, wl_pointer* pointer, std::uint32_t serial) = 0;
    // nullptr: the seat's pointer is gone, from over every surface.
    virtual void OnPointerLeave(wl_surface* surface) = 0;
};

// The key table's code of a key symbol: Escape's; -1 for every other key,
// which the viewer ignores.
int KeyTableCodeOfSymbol(std::uint32_t symbol);

class WaylandInput {
public:
    WaylandInput(wl_seat* seat, InputSink& sink);
    ~WaylandInput();
    WaylandInput(const WaylandInput&) = delete;
    WaylandInput& operator=(const WaylandInput&) = delete;

    // Seat and device events; public for the listeners' tables.
    void OnCapabilities(std::uint32_t capabilities);
    void OnKeymap(std::uint32_t format, int fd, std::uint32_t size);
    void OnKey(std::uint32_t key, std::uint32_t state);
    void OnModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked, std::uint32_t group);
    InputSink& sink() { return sink_; }

private:
    wl_seat* seat_;
    InputSink& sink_;
    wl_keyboard* keyboard_ = nullptr;
    wl_pointer* pointer_ = nullptr;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    xkb_state* state_ = nullptr;
};

}  // namespace velmoran
