// The local file a portal's answer names by its address.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace velmoran::wayland {

// The absolute path of a "file:" address of this machine ("file:///..." or
// "file://localhost/..."), its percent escapes decoded; nothing for any
// other address, a malformed escape or an escaped zero byte.
std::optional<std::filesystem::path> LocalFileOf(std::string_view uri);

}  // namespace velmoran::wayland
