#include "saver/wayland/file_uri.h"

#include <string>

namespace velmoran::wayland {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (text.size() - i < 3) return std::nullopt;
        const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
        if (high < 0 || low < 0 || (high == 0 && low == 0)) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::string_view WithoutLocalHost(std::string_view rest) {
    constexpr std::string_view kLocalHost = "localhost";
    if (rest.substr(0, kLocalHost.size()) == kLocalHost) rest.remove_prefix(kLocalHost.size());
    return rest;
}

}  // namespace

std::optional<std::filesystem::path> LocalFileOf(std::string_view uri) {
    constexpr std::string_view kScheme = "file://";
    if (uri.substr(0, kScheme.size()) != kScheme) return std::nullopt;
    const std::string_view path = WithoutLocalHost(uri.substr(kScheme.size()));
    if (path.empty() || path.front() != '/' || path.find_first_of("?#") != std::string_view::npos)
        return std::nullopt;
    const auto decoded = Unescaped(path);
    if (!decoded) return std::nullopt;
    return std::filesystem::path(*decoded);
}

}  // namespace velmoran::wayland
