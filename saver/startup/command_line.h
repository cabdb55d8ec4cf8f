// The screen-saver switch on the saver's command line: "/s" run a show, "/p
// <window>" draw the preview into that window, "/c" open the settings.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmoran {

// The mode letter: the command line's second character in upper case; only
// that character counts ("/s", "-S", "xs" and "/S extra" all give 'S'). '\0'
// when the command line is shorter than two characters.
char ModeLetter(std::string_view commandLine);

// The preview's host window: the decimal number that begins at the fourth
// character ("/p 1234" and "/p:1234" give 1234, "/p1234" gives 234), rounded
// to a whole number. 0 when there is no number or it does not fit a 32-bit
// handle.
std::uint32_t PreviewHost(std::string_view commandLine);

}  // namespace velmoran
