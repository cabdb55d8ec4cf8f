// The text of a private-profile (INI) file, read and changed as bytes the way
// the Windows private-profile calls treat it: "[section]" lines and
// "key=value" lines, names matched without regard to case, blanks around
// names and values ignored. Keys of the saver are code page 932 bytes; a
// double-byte character's second byte is never case-folded.
#pragma once

#include <string>
#include <string_view>

namespace velmoran {

// The key's value in the first section of that name; empty when the section
// or key is missing. Quotes around the whole value (' or ") are dropped.
std::string IniValue(std::string_view text, std::string_view section, std::string_view key);

// The text with the key set to the value: the key's line is replaced where it
// is, a missing key is added at the end of its section, a missing section at
// the end of the text. Every other line stays as it was; new lines take the
// text's own line break (CR LF for a new text).
std::string IniWithValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value);

}  // namespace velmoran
