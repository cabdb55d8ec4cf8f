// The command line XScreenSaver gives a display mode of its own (a "hack"):
// "-root" draws in the window XScreenSaver made for it, or else in the
// screen's root window; "-window-id <id>" in the given window, which is how
// XScreenSaver's settings program shows its small preview. Either switch
// takes one dash or two, and <id> is decimal or hexadecimal ("0x...").
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmoran {

struct HackSwitches {
    // -window-id: the window it names (0 when that is no window id); without
    // it, -root, whose window the platform knows.
    std::optional<std::uint32_t> window;
};

// The hack switches when the command line's first word is one of them (the
// screen-saver switches "/s", "/p", "/c" never are); later words may add a
// -window-id, which wins over -root, and are otherwise ignored. Nothing for
// any other command line.
std::optional<HackSwitches> HackSwitchesOf(std::string_view commandLine);

// A window id as XScreenSaver writes one: "0x" or "0X" and hexadecimal digits,
// or decimal digits, blanks around allowed. 0 for anything else and for a
// number beyond 32 bits.
std::uint32_t WindowIdOf(std::string_view text);

// A window and the screen it is on, in pixels.
struct WindowOnScreen {
    int width = 0, height = 0;
    int screenWidth = 0, screenHeight = 0;
};

// Whether a window given with -window-id takes the still preview rather
// than a show: when it covers at most half of its screen's width or height,
// as the preview pane of XScreenSaver's settings program does.
bool HoldsPreview(const WindowOnScreen& window);

}  // namespace velmoran
