#include "viewer/wayland_egl/wayland_input.h"

#include <sys/mman.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon.h>

#include "viewer/viewer_program.h"

namespace velmoran {

namespace {

WaylandInput& InputOf(void* data) { return *static_cast<WaylandInput*>(data); }

void OnSeatCapabilities(void* data, wl_seat*, std::uint32_t capabilities) {
    InputOf(data).OnCapabilities(capabilities);
}
void OnSeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeatListener = {&OnSeatCapabilities, &OnSeatName};

void OnKeymap(void* data, wl_keyboard*, std::uint32_t format, int fd, std::uint32_t size) {
    InputOf(data).OnKeymap(format, fd, size);
}
void OnKeyboardEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
void OnKeyboardLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
void OnKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key, std::uint32_t state) {
    InputOf(data).OnKey(key, state);
}
void OnModifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed, std::uint32_t latched,
                 std::uint32_t locked, std::uint32_t group) {
    InputOf(data).OnModifiers(depressed, latched, locked, group);
}
void OnRepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}
const wl_keyboard_listener kKeyboardListener = {&OnKeymap, &OnKeyboardEnter, &OnKeyboardLeave,
                                                &OnKey,    &OnModifiers,     &OnRepeatInfo};

void OnPointerEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface, wl_fixed_t,
                    wl_fixed_t) {
    InputOf(data).sink().OnPointerEnter(surface, pointer, serial);
}
void OnPointerLeave(void* data, wl_pointer*, std::uint32_t, wl_surface* surface) {
    InputOf(data).sink().OnPointerLeave(surface);
}
void OnPointerMotion(void*, wl_pointer*, std::uint32_t, wl_fixed_t, wl_fixed_t) {}
void OnPointerButton(void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {}
void OnPointerAxis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void OnPointerFrame(void*, wl_pointer*) {}
void OnPointerAxisSource(void*, wl_pointer*, std::uint32_t) {}
void OnPointerAxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
void OnPointerAxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}
const wl_pointer_listener kPointerListener = {&OnPointerEnter,  &OnPointerLeave,      &OnPointerMotion,
                                              &OnPointerButton, &OnPointerAxis,       &OnPointerFrame,
                                              &OnPointerAxisSource, &OnPointerAxisStop, &OnPointerAxisDiscrete,
                                              nullptr};  // high-resolution wheel steps: not bound

}  // namespace

int KeyTableCodeOfSymbol(std::uint32_t symbol) { return symbol == XKB_KEY_Escape ? kEscapeKey : -1; }

WaylandInput::WaylandInput(wl_seat* seat, InputSink& sink)
    : seat_(seat), sink_(sink), context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
    if (seat_) wl_seat_add_listener(seat_, &kSeatListener, this);
}

WaylandInput::~WaylandInput() {
    if (keyboard_) wl_keyboard_destroy(keyboard_);
    if (pointer_) wl_pointer_destroy(pointer_);
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

// A seat gains its keyboard late where the keyboard is a virtual one, and
// loses and regains its devices as they are unplugged and plugged in: a lost
// device's objects are inert, so they are let go and asked for anew.
void WaylandInput::OnCapabilities(std::uint32_t capabilities) {
    if (!(capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && keyboard_) {
        wl_keyboard_release(keyboard_);
        keyboard_ = nullptr;
    }
    if (!(capabilities & WL_SEAT_CAPABILITY_POINTER) && pointer_) {
        sink_.OnPointerLeave(nullptr);
        wl_pointer_release(pointer_);
        pointer_ = nullptr;
    }
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !keyboard_) {
        keyboard_ = wl_seat_get_keyboard(seat_);
        wl_keyboard_add_listener(keyboard_, &kKeyboardListener, this);
    }
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !pointer_) {
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, &kPointerListener, this);
    }
}

void WaylandInput::OnKeymap(std::uint32_t format, int fd, std::uint32_t size) {
    void* text = format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && context_
                     ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0)
                     : MAP_FAILED;
    close(fd);
    if (text == MAP_FAILED) return;
    xkb_keymap* keymap = xkb_keymap_new_from_buffer(context_, static_cast<const char*>(text), size - 1,
                                                    XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (!keymap) return;
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    state_ = xkb_state_new(keymap_);
}

void WaylandInput::OnKey(std::uint32_t key, std::uint32_t state) {
    if (!state_) return;
    // Wayland counts keys from evdev's codes, xkb from X's, 8 higher.
    const xkb_keysym_t symbol = xkb_state_key_get_one_sym(state_, key + 8);
    sink_.OnKey(KeyTableCodeOfSymbol(symbol), state == WL_KEYBOARD_KEY_STATE_PRESSED);
}

void WaylandInput::OnModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                               std::uint32_t group) {
    if (state_) xkb_state_update_mask(state_, depressed, latched, locked, 0, 0, group);
}

}  // namespace velmoran
