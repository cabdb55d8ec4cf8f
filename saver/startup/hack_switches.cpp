#include "saver/startup/hack_switches.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace velmoran {

namespace {

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t begin = text.find_first_not_of(" \t", at);
        if (begin == std::string_view::npos) break;
        const std::size_t end = std::min(text.find_first_of(" \t", begin), text.size());
        words.push_back(text.substr(begin, end - begin));
        at = end;
    }
    return words;
}

// The switch's name without its one or two leading dashes; empty when the
// word is no switch.
std::string_view SwitchName(std::string_view word) {
    if (!word.starts_with('-')) return {};
    word.remove_prefix(word.starts_with("--") ? 2 : 1);
    return word;
}

constexpr std::string_view kRoot = "root";
constexpr std::string_view kWindowId = "window-id";

}  // namespace

std::optional<HackSwitches> HackSwitchesOf(std::string_view commandLine) {
    const std::vector<std::string_view> words = Words(commandLine);
    if (words.empty()) return std::nullopt;
    const std::string_view first = SwitchName(words.front());
    if (first != kRoot && first != kWindowId && !first.starts_with("window-id=")) return std::nullopt;
    HackSwitches hack;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view name = SwitchName(words[i]);
        if (name == kWindowId)
            hack.window = i + 1 < words.size() ? WindowIdOf(words[i + 1]) : 0u;
        else if (name.starts_with("window-id="))
            hack.window = WindowIdOf(name.substr(kWindowId.size() + 1));
    }
    return hack;
}

std::uint32_t WindowIdOf(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return 0;
    return id;
}

bool HoldsPreview(const WindowOnScreen& window) {
    return window.width * 2 <= window.screenWidth || window.height * 2 <= window.screenHeight;
}

}  // namespace velmoran
