// The saver's texts are UTF-8; the wide-character window calls take UTF-16.
// Paths in the settings are in the system's ANSI code page, the one the
// private-profile calls write.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmoran {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);  // to UTF-8

// A text of the system's ANSI code page in UTF-16.
std::wstring WidenAnsi(std::string_view ansi);

// A UTF-16 text in the system's ANSI code page; nothing when a character of
// it has no place there (it would come back as another one).
std::optional<std::string> ToAnsi(std::wstring_view wide);

}  // namespace velmoran
