// Pictures compiled into the programs (see cmake/Embed.cmake).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace velmoran {

struct EmbeddedAsset {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

// Generated per program; ends with a null entry.
extern const EmbeddedAsset kEmbeddedAssets[];

// The bytes of the embedded file with this name (as under assets/), or an
// empty span when the program does not carry it.
std::span<const unsigned char> FindAsset(std::string_view name);

}  // namespace velmoran
