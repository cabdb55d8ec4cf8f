// System text - paths as the settings file keeps them - walked a character
// at a time. In a double-byte code page (932 on a Japanese Windows) the
// second byte of a character may be any of 0x40..0xFC, '\' (0x5C) and ASCII
// letters among them, so a path is split, and its end looked at, only where
// a character begins. In UTF-8 no byte of a longer sequence is ASCII.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace velmoran {

// How many bytes the character that begins with `first` takes in a text's
// encoding: the back end's SystemCharacterSize for system text.
using CharacterSize = std::size_t (*)(unsigned char first);

// UTF-8: the length its first byte announces; 1 for a byte that begins no
// sequence.
std::size_t Utf8CharacterSize(unsigned char first);

// The offset at which each of the text's characters begins, in order. A
// character cut short by the end of the text ends there.
std::vector<std::size_t> CharacterStarts(std::string_view text, CharacterSize size);

// The text's last `count` characters; the whole text when it has fewer.
std::string_view LastCharacters(std::string_view text, std::size_t count, CharacterSize size);

}  // namespace velmoran
