#include "common/assets.h"

namespace velmoran {

std::span<const unsigned char> FindAsset(std::string_view name) {
    for (const EmbeddedAsset* a = kEmbeddedAssets; a->name; ++a)
        if (name == a->name) return {a->data, a->size};
    return {};
}

}  // namespace velmoran
