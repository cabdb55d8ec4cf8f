#include "saver/settings/system_text.h"

#include <algorithm>

namespace velmoran {

std::size_t Utf8CharacterSize(unsigned char first) {
    if (first >= 0xF0 && first <= 0xF4) return 4;
    if (first >= 0xE0 && first <= 0xEF) return 3;
    if (first >= 0xC2 && first <= 0xDF) return 2;
    return 1;
}

std::vector<std::size_t> CharacterStarts(std::string_view text, CharacterSize size) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size();) {
        starts.push_back(at);
        at += std::max<std::size_t>(1, size(static_cast<unsigned char>(text[at])));
    }
    return starts;
}

std::string_view LastCharacters(std::string_view text, std::size_t count, CharacterSize size) {
    const std::vector<std::size_t> starts = CharacterStarts(text, size);
    if (count >= starts.size()) return text;
    return text.substr(starts[starts.size() - count]);
}

}  // namespace velmoran
